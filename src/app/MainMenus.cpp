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
    file->addAction(actions_.save);
    file->addSeparator();
    file->addAction(actions_.newCategory);
    file->addAction(actions_.categoryManager);
    file->addSeparator();
    file->addAction(actions_.inputFiles);
    file->addAction(actions_.outputTxt);
    file->addAction(actions_.outputHtml);
    file->addAction(actions_.outputPdf);
    file->addSeparator();
    file->addAction(actions_.backup);
    file->addAction(actions_.history);
    file->addAction(actions_.trash);
    file->addSeparator();
    file->addAction(actions_.pageSetup);
    file->addAction(actions_.printView);
    file->addAction(actions_.print);
    file->addSeparator();
    file->addAction(actions_.exit);

    QMenu* content = bar->addMenu(QStringLiteral("内容(&N)"));
    content->setObjectName(QStringLiteral("menuContent"));
    content->addAction(actions_.cnDate);
    content->addAction(actions_.paiGua);
    content->addSeparator();
    content->addAction(actions_.alert);
    content->addAction(actions_.guaMap);
    content->addSeparator();
    content->addAction(actions_.hideMainW);

    QMenu* view = bar->addMenu(QStringLiteral("查看(&V)"));
    view->setObjectName(QStringLiteral("menuView"));
    view->addAction(actions_.toolBar);
    view->addAction(actions_.listBar);
    view->addSeparator();
    QMenu* readings1 = view->addMenu(QStringLiteral("外挂资料1"));
    readings1->setObjectName(QStringLiteral("menuReadings1"));
    AddDocumentItems(this, readings1, kReadings1);
    QMenu* readings2 = view->addMenu(QStringLiteral("外挂资料2"));
    readings2->setObjectName(QStringLiteral("menuReadings2"));
    AddDocumentItems(this, readings2, kReadings2);
    view->addSeparator();
    view->addAction(actions_.findAll);

    QMenu* options = bar->addMenu(QStringLiteral("选项(&O)"));
    options->setObjectName(QStringLiteral("menuOptions"));
    options->addAction(actions_.editFont);
    options->addAction(actions_.editBkColor);
    options->addSeparator();
    options->addAction(actions_.nowlineFontColor);
    options->addAction(actions_.nowlineBkColor);
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
    help->addAction(actions_.help);
    help->addSeparator();
    help->addAction(actions_.about);
}

} // namespace qj
