#include <QApplication>
#include <QMainWindow>

// Placeholder main window until the notebook's main window lands.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("青简札记"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("青简札记"));
    w.resize(1000, 700);
    w.show();
    return app.exec();
}
