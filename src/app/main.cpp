// 青简札记: the program entry. One copy runs per user; a second start brings the first copy's
// window back and ends at once.

#include "app/CalendarTexts.h"
#include "app/FontFamilies.h"
#include "app/Lymain.h"
#include "app/ProgramShell.h"
#include "app/shell/AppTitle.h"
#include "app/shell/ErrorHandler.h"
#include "app/shell/GuardedApplication.h"
#include "app/shell/ReportShown.h"
#include "app/shell/SingleInstance.h"
#include "seams/RealServices.h"

int main(int argc, char** argv) {
    qj::GuardedApplication app(argc, argv);
    const QString title = QString::fromUtf8(qj::kAppTitle);
    QApplication::setApplicationName(title);
    // Closing the main window only hides it; "退出系统" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    qj::EnsureChineseUiFont();

    qj::SingleInstance instance;
    if (!instance.tryBecomePrimary())
        return 0;

    qj::RealServices real(qj::ProgramFolder::ofRunningExecutable());
    qj::Services services = real.services();
    qj::TFmain main(services);
    QApplication::setWindowIcon(main.windowIcon());
    app.setErrorReporter([&](const QString& text) { qj::ShowGeneralError(services.dialogs, &main, text); });
    qj::TodayCalendarTexts calendar(services.clock);
    qj::ProgramShell shell(main, services, calendar);
    QObject::connect(&instance, &qj::SingleInstance::showRequested, &shell, &qj::ProgramShell::showRequested);
    QObject::connect(&main, &qj::TFmain::ending, &app, &QCoreApplication::quit, Qt::QueuedConnection);

    qj::ReportShownIfAsked(&main);
    main.showMaximized();
    return app.exec();
}
