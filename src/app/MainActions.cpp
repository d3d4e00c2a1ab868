// The main window's actions: one table of names, captions and hints, shared by toolbar and menus.

#include "app/Lymain.h"

#include <QAction>
#include <QFile>
#include <QIcon>

// The toolbar and menu pictures are compiled into the window library.
static void InitPictures() {
#ifdef QJ_HAVE_ICONS
    Q_INIT_RESOURCE(icons);
#endif
}

namespace qj {
namespace {

struct ActionText {
    const char* name;    // objectName, also the picture's name in the icon resources
    const char* caption; // menu text
    const char* hint;    // toolbar hint; empty: the caption
    bool checkable;
};

constexpr ActionText kActions[] = {
    {"actAddSibling", "添加同级节点", "", false},
    {"actAddChild", "添加下级子节点", "", false},
    {"actDelete", "删除", "删除当前位置及子节点的所有内容", false},
    {"actFindall", "全目录查找", "", false},
    {"actPrintView", "打印预览", "", false},
    {"actSave", "资料保存", "", false},
    {"actPaiGua", "排卦处理", "显示排卦", false},
    {"actCnDate", "显示日历", "", false},
    {"actAlert", "定时报警", "", false},
    {"actAbout", "关于", "", false},
    {"actHideMainW", "隐藏主窗口", "", false},
    {"actExit", "退出系统", "", false},
    {"actNewCategory", "增加目录分类", "", false},
    {"actCategoryManager", "目录分类管理", "", false},
    {"actInputFiles", "导入文件", "", false},
    {"actOutputFilesTxt", "导出到 .txt", "", false},
    {"actOutputFilesHtml", "导出到 .Html", "", false},
    {"actOutputFilesPdf", "导出到 .pdf", "", false},
    {"actBackup", "资料备份", "", false},
    {"actPageSetup", "页面设置", "", false},
    {"actPrint", "打印(&P)", "打印当前文件", false},
    {"actGuaMap", "八卦图", "", false},
    {"actToolBar", "工具栏", "", true},
    {"actListBar", "列表栏", "", true},
    {"actEditFont", "字型设置", "选择字体", false},
    {"actEditBKColor", "背景颜色设置", "背景颜色", false},
    {"actNowlineFontColor", "当前行字体颜色", "", false},
    {"actNowlineBkColor", "当前行背景颜色", "", false},
    {"actHelp", "使用帮助", "", false},
};

// Commands whose windows or tools are not part of the program yet: present, but disabled so that
// choosing them cannot pretend to do something.
constexpr const char* kNotYetAvailable[] = {
    "actPrintView", "actCnDate", "actPageSetup", "actPrint",
};

QIcon PictureOf(const char* name) {
    // The 32 × 32 picture for the toolbar and, when there is one, a 16 × 16 one for the menus.
    QIcon icon;
    for (const char* suffix : {"", "16"}) {
        const QString path =
            QStringLiteral(":/icons/%1%2.png").arg(QString::fromLatin1(name), QLatin1String(suffix));
        if (QFile::exists(path))
            icon.addFile(path);
    }
    return icon;
}

} // namespace

void TFmain::buildActions() {
    InitPictures();
    QIcon appIcon;
    for (const char* size : {"16", "32", "48", "256"}) {
        const QString path = QStringLiteral(":/icons/qingjian%1.png").arg(QLatin1String(size));
        if (QFile::exists(path))
            appIcon.addFile(path);
    }
    setWindowIcon(appIcon);
    for (const ActionText& a : kActions) {
        auto* action = new QAction(PictureOf(a.name), QString::fromUtf8(a.caption), this);
        action->setObjectName(QString::fromLatin1(a.name));
        const QString hint = QString::fromUtf8(*a.hint ? a.hint : a.caption);
        action->setToolTip(hint);
        action->setIconVisibleInMenu(true);
        if (a.checkable) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
    // Ctrl+S saves the note text, shown beside "资料保存" in the menus.
    act("actSave")->setShortcut(QKeySequence::Save);
    for (const char* name : kNotYetAvailable)
        act(name)->setEnabled(false);

    connect(act("actExit"), &QAction::triggered, this, &TFmain::actExitExecute);
    connect(act("actHideMainW"), &QAction::triggered, this, &TFmain::actHideMainWExecute);
    connect(act("actNewCategory"), &QAction::triggered, this, [this] { CreateCategory(); });
    connect(act("actEditFont"), &QAction::triggered, this, &TFmain::actEditFontExecute);
    connect(act("actEditBKColor"), &QAction::triggered, this, &TFmain::actEditBKColorExecute);
    connect(act("actNowlineFontColor"), &QAction::triggered, this, &TFmain::actNowlineFontColorExecute);
    connect(act("actNowlineBkColor"), &QAction::triggered, this, &TFmain::actNowlineBkColorExecute);
    connect(act("actHelp"), &QAction::triggered, this, &TFmain::N89Click);
}

QAction* TFmain::act(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

} // namespace qj
