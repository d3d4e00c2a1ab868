// The main menu bar "MainMenu1" and its five menus.

#include "app/Lymain.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace qj {
namespace {

// An item of a document submenu of "查看(&V)": the document opens from the program folder.
struct DocumentItem {
    const char* caption; // empty: a separator
    const char* file;
};

constexpr DocumentItem kReadings1[] = {
    {"《寿康宝鉴》", "reading1.chm"},          {"《了凡四训》", "reading2.chm"},          {"", ""},
    {"自定义-《custom1.chm》", "custom1.chm"}, {"自定义-《custom2.chm》", "custom2.chm"}, {"", ""},
    {"自定义-《custom1.exe》", "custom1.exe"}, {"自定义-《custom2.exe》", "custom2.exe"},
};

constexpr DocumentItem kReadings2[] = {
    {"《周易预测与命理研究》", "reading5.exe"},
    {"", ""},
    {"《周易基础》", "reading4.chm"},
    {"《周公解梦》", "reading3.chm"},
};

struct SeasonItem {
    const char* caption;
    const char* file;
    int index;
};

// The season looks of the hidden menu "改变肤色".
constexpr SeasonItem kSeasons[] = {
    {"春", "skin01.skn", 1}, {"夏", "skin02.skn", 2}, {"秋", "skin03.skn", 3},
    {"冬", "skin04.skn", 4}, {"默认", " ", 0},
};

template <std::size_t N> void AddDocumentItems(TFmain* window, QMenu* menu, const DocumentItem (&items)[N]) {
    for (const DocumentItem& item : items) {
        if (!*item.caption) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(QString::fromUtf8(item.caption));
        const QString file = QString::fromUtf8(item.file);
        a->setData(file);
        QObject::connect(a, &QAction::triggered, window, [window, file] { window->OpenDocumentFile(file); });
    }
}

} // namespace

void TFmain::buildMenus() {
    auto* bar = new QMenuBar;
    bar->setObjectName(QStringLiteral("MainMenu1"));
    installMenuBars(bar);

    QMenu* file = bar->addMenu(QStringLiteral("文件(&F)"));
    file->setObjectName(QStringLiteral("menuFile"));
    file->addAction(act("actSave"));
    file->addSeparator();
    file->addAction(act("actNewCategory"));
    file->addAction(act("actCategoryManager"));
    file->addSeparator();
    file->addAction(act("actInputFiles"));
    file->addAction(act("actOutputFilesTxt"));
    file->addAction(act("actOutputFilesHtml"));
    file->addAction(act("actOutputFilesPdf"));
    file->addSeparator();
    file->addAction(act("actBackup"));
    file->addSeparator();
    file->addAction(act("actPageSetup"));
    file->addAction(act("actPrintView"));
    file->addAction(act("actPrint"));
    file->addSeparator();
    file->addAction(act("actExit"));

    QMenu* content = bar->addMenu(QStringLiteral("内容(&N)"));
    content->setObjectName(QStringLiteral("menuContent"));
    content->addAction(act("actCnDate"));
    content->addAction(act("actPaiGua"));
    content->addSeparator();
    content->addAction(act("actAlert"));
    content->addAction(act("actGuaMap"));
    content->addSeparator();
    content->addAction(act("actHideMainW"));

    QMenu* view = bar->addMenu(QStringLiteral("查看(&V)"));
    view->setObjectName(QStringLiteral("menuView"));
    view->addAction(act("actToolBar"));
    view->addAction(act("actListBar"));
    view->addSeparator();
    QMenu* readings1 = view->addMenu(QStringLiteral("外挂资料1"));
    readings1->setObjectName(QStringLiteral("menuReadings1"));
    AddDocumentItems(this, readings1, kReadings1);
    QMenu* readings2 = view->addMenu(QStringLiteral("外挂资料2"));
    readings2->setObjectName(QStringLiteral("menuReadings2"));
    AddDocumentItems(this, readings2, kReadings2);
    view->addSeparator();
    view->addAction(act("actFindall"));

    QMenu* options = bar->addMenu(QStringLiteral("选项(&O)"));
    options->setObjectName(QStringLiteral("menuOptions"));
    options->addAction(act("actEditFont"));
    options->addAction(act("actEditBKColor"));
    options->addSeparator();
    options->addAction(act("actNowlineFontColor"));
    options->addAction(act("actNowlineBkColor"));
    options->addSeparator();
    skinMenu_ = options->addMenu(QStringLiteral("改变肤色"));
    skinMenu_->setObjectName(QStringLiteral("menuSkin"));
    skinMenu_->menuAction()->setVisible(false);
    for (const SeasonItem& s : kSeasons) {
        QAction* a = skinMenu_->addAction(QString::fromUtf8(s.caption));
        a->setCheckable(true);
        const QString fileName = QString::fromUtf8(s.file);
        const int index = s.index;
        connect(a, &QAction::triggered, this, [this, fileName, index] { ApplySkinChoice(fileName, index); });
    }

    QMenu* help = bar->addMenu(QStringLiteral("帮助(&H)"));
    help->setObjectName(QStringLiteral("menuHelp"));
    help->addAction(act("actHelp"));
    help->addSeparator();
    help->addAction(act("actAbout"));
}

} // namespace qj
