#pragma once
// The desktop program put together as its entry does it, inside the benchmark process: a program
// folder of its own holding a given data file, the main window and the windows made at start-up,
// on seams that ask nothing and start nothing. The single-instance rule, the tray icon and the hot
// key are left out; they take no part in showing a window.

#include "seams/Clock.h"
#include "seams/Services.h"

#include "SilentDialogs.h"
#include "SilentSeams.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QWidget;

namespace qj {
class ProgramWindows;
class TFmain;
} // namespace qj

namespace qj::bench {

class BenchProgram {
public:
    // A program folder with `dataFile` in it (hard-linked where possible: start-up and the
    // windows measured only read it) and a settings file whose start-up category is `category`.
    BenchProgram(const QString& dataFile, const QString& category);
    ~BenchProgram();
    BenchProgram(const BenchProgram&) = delete;
    BenchProgram& operator=(const BenchProgram&) = delete;

    // False when the folder could not be prepared.
    bool ready() const { return ready_; }
    const Services& services() const { return services_; }

    // The start-up: the main window with its start-up category, the windows made after it, the
    // main window shown maximized and drawn. False when the category shown is not the one asked
    // for (a start that went wrong measures nothing).
    bool start();
    // Takes every window down again.
    void stop();
    bool running() const { return main_ != nullptr; }
    TFmain& main() const { return *main_; }
    ProgramWindows& windows() const { return *windows_; }

private:
    QTemporaryDir dir_;
    QString category_;
    bool ready_ = false;
    SilentDialogs dialogs_;
    SystemClock clock_;
    SilentLauncher launcher_;
    SilentSound sound_;
    Services services_;
    std::unique_ptr<TFmain> main_;
    std::unique_ptr<ProgramWindows> windows_;
};

// Counts the paint events of every widget while it lives: a first show that painted nothing
// measured nothing.
class PaintCounter : public QObject {
public:
    PaintCounter();
    ~PaintCounter() override;
    int count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int count_ = 0;
};

// Shows `window` (when hidden), lays it out and draws all of it, as its first expose would.
void ShowAndDraw(QWidget* window);
// Draws the whole window again, as after a change that touches all of it.
void Draw(QWidget* window);

} // namespace qj::bench
