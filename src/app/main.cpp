// 青简札记: the program entry. One copy runs per user; a second start brings the first copy's
// window back and ends at once.

#include "app/Lymain.h"
#include "app/ProgramShell.h"
#include "app/ProgramWindows.h"
#include "app/shell/ActionScript.h"
#include "app/shell/AppTitle.h"
#include "app/shell/ErrorHandler.h"
#include "app/shell/FontFamilies.h"
#include "app/shell/GuardedApplication.h"
#include "app/shell/LaunchOptions.h"
#include "app/shell/QtTranslations.h"
#include "app/shell/ReportShown.h"
#include "app/shell/SingleInstance.h"
#include "seams/RealServices.h"

#include <cstdio>

int main(int argc, char** argv) {
    qj::GuardedApplication app(argc, argv);
    const QString title = QString::fromUtf8(qj::kAppTitle);
    QApplication::setApplicationName(title);
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
    if (!instance.tryBecomePrimary(request.windows))
        return 0;

    qj::RealServices real(qj::ProgramFolder::ofRunningExecutable());
    qj::Services services = real.services();
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

    qj::ReportShownIfAsked(&main);
    qj::RunActionsIfAsked(&main);
    main.showMaximized();
    for (const QString& window : request.windows)
        windows.show(window);
    return app.exec();
}
