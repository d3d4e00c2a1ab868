// The main window's actions: one table of names, captions and hints, shared by toolbar and menus.

#include "app/MainActions.h"

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
    QAction* MainActions::*member;
};

constexpr ActionText kActions[] = {
    {"actAddSibling", "添加同级节点", "", false, &MainActions::addSibling},
    {"actAddChild", "添加下级子节点", "", false, &MainActions::addChild},
    {"actDelete", "删除", "删除当前位置及子节点的所有内容", false, &MainActions::deleteNote},
    {"actFindall", "全目录查找", "", false, &MainActions::findAll},
    {"actPrintView", "打印预览", "", false, &MainActions::printView},
    {"actSave", "资料保存", "", false, &MainActions::save},
    {"actPaiGua", "排卦处理", "显示排卦", false, &MainActions::paiGua},
    {"actCnDate", "显示日历", "", false, &MainActions::cnDate},
    {"actAlert", "定时报警", "", false, &MainActions::alert},
    {"actAbout", "关于", "", false, &MainActions::about},
    {"actHideMainW", "隐藏主窗口", "", false, &MainActions::hideMainW},
    {"actExit", "退出系统", "", false, &MainActions::exit},
    {"actNewCategory", "增加目录分类", "", false, &MainActions::newCategory},
    {"actCategoryManager", "目录分类管理", "", false, &MainActions::categoryManager},
    {"actInputFiles", "导入文件", "", false, &MainActions::inputFiles},
    {"actOutputFilesTxt", "导出到 .txt", "", false, &MainActions::outputTxt},
    {"actOutputFilesHtml", "导出到 .Html", "", false, &MainActions::outputHtml},
    {"actOutputFilesPdf", "导出到 .pdf", "", false, &MainActions::outputPdf},
    {"actBackup", "资料备份", "", false, &MainActions::backup},
    {"actHistory", "历史版本", "这条笔记每次保存前的文字", false, &MainActions::history},
    {"actTrash", "回收站", "删除的笔记和目录分类", false, &MainActions::trash},
    {"actPageSetup", "页面设置", "", false, &MainActions::pageSetup},
    {"actPrint", "打印(&P)", "打印当前文件", false, &MainActions::print},
    {"actGuaMap", "八卦图", "", false, &MainActions::guaMap},
    {"actToolBar", "工具栏", "", true, &MainActions::toolBar},
    {"actListBar", "列表栏", "", true, &MainActions::listBar},
    {"actEditFont", "字型设置", "选择字体", false, &MainActions::editFont},
    {"actEditBKColor", "背景颜色设置", "背景颜色", false, &MainActions::editBkColor},
    {"actNowlineFontColor", "当前行字体颜色", "", false, &MainActions::nowlineFontColor},
    {"actNowlineBkColor", "当前行背景颜色", "", false, &MainActions::nowlineBkColor},
    {"actHelp", "使用帮助", "", false, &MainActions::help},
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

QList<QAction*> MainActions::all() const {
    QList<QAction*> actions;
    for (const ActionText& a : kActions)
        actions << this->*a.member;
    return actions;
}

QAction* MainActions::named(const QString& objectName) const {
    for (const ActionText& a : kActions)
        if (objectName == QLatin1String(a.name))
            return this->*a.member;
    return nullptr;
}

MainActions MakeMainActions(QObject* owner) {
    InitPictures();
    MainActions actions;
    for (const ActionText& a : kActions) {
        auto* action = new QAction(PictureOf(a.name), QString::fromUtf8(a.caption), owner);
        action->setObjectName(QString::fromLatin1(a.name));
        const QString hint = QString::fromUtf8(*a.hint ? a.hint : a.caption);
        action->setToolTip(hint);
        action->setIconVisibleInMenu(true);
        if (a.checkable) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        actions.*a.member = action;
    }
    // Ctrl+S saves the note text, shown beside "资料保存" in the menus.
    actions.save->setShortcut(QKeySequence::Save);
    return actions;
}

void TFmain::buildActions() {
    QIcon appIcon;
    for (const char* size : {"16", "32", "48", "256"}) {
        const QString path = QStringLiteral(":/icons/qingjian%1.png").arg(QLatin1String(size));
        if (QFile::exists(path))
            appIcon.addFile(path);
    }
    setWindowIcon(appIcon);
    actions_ = MakeMainActions(this);
    const MainActions& a = actions_;
    onCommand(a.exit, this, [this] { actExitExecute(); });
    onCommand(a.hideMainW, this, [this] { actHideMainWExecute(); });
    onCommand(a.newCategory, this, [this] { CreateCategory(); });
    onCommand(a.editFont, this, [this] { actEditFontExecute(); });
    onCommand(a.editBkColor, this, [this] { actEditBKColorExecute(); });
    onCommand(a.nowlineFontColor, this, [this] { actNowlineFontColorExecute(); });
    onCommand(a.nowlineBkColor, this, [this] { actNowlineBkColorExecute(); });
    onCommand(a.help, this, [this] { N89Click(); });
}

void TFmain::onCommand(QAction* action, QObject* context, std::function<void()> command) {
    connect(action, &QAction::triggered, context,
            [this, command = std::move(command)] { runCommand(command); });
}

} // namespace qj
