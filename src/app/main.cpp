// 青简札记: the program entry. One copy runs per user; a second start brings the first copy's
// window back and ends at once.

#include "app/Lymain.h"
#include "app/ProgramShell.h"
#include "app/ProgramWindows.h"
#include "calendar/ui/CnDate.h"
#ifdef QJ_ACTION_SCRIPT
#include "app/shell/ActionScript.h"
#endif
#include "app/shell/GuardedApplication.h"
#include "app/shell/LaunchOptions.h"
#include "app/shell/ModalsAboveOnTop.h"
#include "app/shell/QtTranslations.h"
#include "app/shell/ReportShown.h"
#include "app/shell/SingleInstance.h"
#include "platform/MainStack.h"
#include "platform/WindowGroupName.h"
#include "seams/DataFolder.h"
#include "seams/RealServices.h"
#include "seams/StandardBoxes.h"
#include "shell/AppTitle.h"
#include "shell/ErrorHandler.h"
#include "shell/FileVersion.h"
#include "shell/FontFamilies.h"
#include "store/DataFile.h"

#include <cstdio>
#include <cstring>

namespace {

qj::DataFolderChoice DataFolderFor(const qj::LaunchRequest& request) {
    return qj::ChooseDataFolder(
        qj::DataFolderPlace::ofEnvironment(QCoreApplication::applicationDirPath(), request.dataFolder));
}

// --help, --version and a mistyped option are answered without a display: only a core
// application object is made. Qt's own options ("-platform offscreen") are left to the window
// application, which takes them off the command line before the program's options are read.
bool AnswersWithoutWindows(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' && argv[i][1] != '-' && std::strcmp(argv[i], "-h"))
            return false;
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const qj::LaunchRequest request =
        qj::ParseLaunchArguments(arguments, qj::ProgramWindows::launchOptions());
    return request.help || request.version || !request.error.isEmpty();
}

int PrintInformation(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    const qj::LaunchRequest request =
        qj::ParseLaunchArguments(QCoreApplication::arguments().mid(1), qj::ProgramWindows::launchOptions());
    if (!request.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(request.error));
        return 2;
    }
    if (request.version)
        std::printf("%s %s\n", qj::kAppName, qPrintable(qj::EmbeddedFileVersion()));
    if (request.help)
        std::printf("%s", qPrintable(qj::LaunchUsage(qj::ProgramWindows::launchHelp(),
                                                     DataFolderFor(request).describe())));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qj::EnsureLargeMainStack(argv);
    if (AnswersWithoutWindows(argc, argv))
        return PrintInformation(argc, argv);
    qj::GuardedApplication app(argc, argv);
    qj::ModalsAboveOnTop modalsAboveOnTop;
    app.installEventFilter(&modalsAboveOnTop);
    // The window class and the desktop entry: ASCII, as desktops match them.
    QApplication::setApplicationName(QString::fromLatin1(qj::kAppName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(qj::kDesktopId));
    // Closing the main window only hides it; "退出系统" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    qj::EnsureChineseUiFont();
    qj::InstallQtChineseTexts();

    // Options ask for windows to be shown; anything else starts nothing.
    const qj::LaunchRequest request =
        qj::ParseLaunchArguments(QApplication::arguments().mid(1), qj::ProgramWindows::launchOptions());
    if (!request.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(request.error));
        return 2;
    }

    qj::SingleInstance instance;
    if (!instance.tryBecomePrimary(request.windows, request.toggle))
        return 0;

    // The data folder: beside the program for a portable copy, the user's own for an installed one.
    const qj::DataFolderChoice data = DataFolderFor(request);
    qj::RealServices real(data.folder());
    qj::Services services = real.services();
    // Where no empty data file was installed, the program makes one.
    const auto makeEmpty = [](const QString& path) {
        try {
            qj::CreateEmptyDataFile(path);
            return true;
        } catch (const std::exception&) {
            return false;
        }
    };
    if (const QString problem = qj::SeedDataFolder(data, makeEmpty); !problem.isEmpty())
        qj::ErrorBox(services.dialogs, nullptr, problem);
    if (!instance.problem().isEmpty())
        qj::ErrorBox(services.dialogs, nullptr, instance.problem());
    // Without any Chinese face every text of the program is boxes: said in words that need none.
    if (const QString warning = qj::NoChineseFontWarning(qj::ChineseFontFamilies()); !warning.isEmpty()) {
        qj::MessageRequest box;
        box.caption = QStringLiteral("Qingjian");
        box.text = warning;
        box.icon = qj::MessageIcon::Warning;
        box.frameworkBox = true;
        services.dialogs.message(nullptr, box);
    }
    qj::TFmain main(services);
    if (main.isDataFileHeldElsewhere())
        return 0; // said so; the copy that holds the data file goes on
    QApplication::setWindowIcon(main.windowIcon());
    app.setErrorReporter([&](const QString& text) { qj::ShowGeneralError(services.dialogs, &main, text); });
    // "退出系统" ends the program whatever else is open: exit() leaves every event loop at once,
    // where quit() would first ask each window to close and give up at the first that only hides.
    QObject::connect(
        &main, &qj::TFmain::ending, &app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    // The other windows live as long as the program, created hidden after the main window.
    qj::ProgramWindows windows(main, services);
    QObject::connect(&instance, &qj::SingleInstance::windowRequested, &main,
                     [&windows](const QString& window) { windows.show(window); });
    // The tray icon, the hot key and the status clock.
    qj::ProgramShell shell(main, services, windows);
    QObject::connect(&instance, &qj::SingleInstance::showRequested, &shell, &qj::ProgramShell::showRequested);
    QObject::connect(&instance, &qj::SingleInstance::toggleRequested, &shell,
                     &qj::ProgramShell::toggleRequested);

    qj::ReportShownIfAsked(&main);
#ifdef QJ_ACTION_SCRIPT
    qj::RunActionsIfAsked(&main, [&main](const QString& name) { return main.actions().named(name); });
    qj::TypeIfAsked(&main);
#endif
    main.showMaximized();
    qj::NameWindowGroup(main, QString::fromUtf8(qj::kAppTitle));
    for (const QString& window : request.windows)
        windows.show(window);
    // Today's and the coming days' 纪念日, in a window that does not block, above the others.
    windows.calendar().showDueReminders();
    return app.run();
}
