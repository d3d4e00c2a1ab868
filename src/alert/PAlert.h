#pragma once
// The timed alert window "Alert": a delay in hours, minutes and seconds is armed with "开启报警";
// when it has passed the window sounds, comes to the front with the reminder text, or ends the
// session (power off, restart, log off) and the program. Closing the window only hides it; an
// armed alarm keeps running while it is hidden.

#include "alert/AlarmClock.h"
#include "platform/SessionCommands.h"
#include "seams/Services.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QTimer;
class QToolButton;

namespace qj {

class TrackBar;

// What the alert window needs of the rest of the program.
struct AlertHooks {
    // The Gregorian caption of the calendar window ("公历: 2006年 5月 1日").
    std::function<QString()> gregorianCaption;
    // Before the session ends: the notebook's unsaved text is saved without a question (at an
    // alarm nobody may be there to answer). False when it could not be saved (the failure has
    // been shown); then nothing ends.
    std::function<bool()> prepareSessionEnd;
    // The main window's exit command.
    std::function<void()> exitProgram;
};

class TFAlerting : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kSoundFile = "Alerting.wav";
    static constexpr int kStartOpacity = 125;
    // The least opacity the track bar can set (of 255), so the window stays visible.
    static constexpr int kOpacityFloor = 64;
    static double ShownOpacity(int position);

    TFAlerting(const Services& services, AlertHooks hooks, QWidget* parent = nullptr);
    ~TFAlerting() override;

    // One beat of the clock `tc1`: shows the time and fires the alarm when it is due. A timer
    // calls it several times a second; tests call it after moving the clock.
    void tick();

    const AlarmClock& alarm() const { return alarm_; }

    // The message when the system refused to end the session for the action `actionText`.
    static QString SessionCommandFailedText(const QString& actionText, const SessionCommand& command);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void chk1Click(bool checked);
    void rxs3Change();
    void grp1DblClick();
    void tc1Alarm();
    void playSound();
    void chk2Click(bool checked);
    void TrackBar1Change(int value);
    void refreshActionFrame();

    Services services_;
    AlertHooks hooks_;
    AlarmClock alarm_;
    QTimer* clockTimer_ = nullptr;

    QGroupBox* grp1_ = nullptr;
    QLabel* tc1_ = nullptr;
    QSpinBox* rxs1_ = nullptr;
    QSpinBox* rxs2_ = nullptr;
    QSpinBox* rxs3_ = nullptr;
    QGroupBox* grp2_ = nullptr;
    QComboBox* cbb1_ = nullptr;
    QCheckBox* chk1_ = nullptr;
    QCheckBox* chk2_ = nullptr;
    QPlainTextEdit* mmoAlarm_ = nullptr;
    QToolButton* btn1_ = nullptr;
    QToolButton* btn2_ = nullptr;
    QWidget* pnl2_ = nullptr;
    TrackBar* trackBar1_ = nullptr;
};

} // namespace qj
