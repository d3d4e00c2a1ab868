#pragma once
// TFcnDate: the perpetual calendar window. One month in the lunar grid; the day chosen by Gregorian
// or by lunar year, month and day, and an hour of the day; for them the Gregorian and lunar
// captions, the four pillars with the day's void branches, the festivals, and the day's almanac as
// the grid's hint. Created once at start-up; closing it only hides it.
//
// Other windows read it through the small interface below: the three captions, the grid's date
// (CnCalendar1()->CalendarDate(), cnMonth(), cnDay()) and the hour index.

#include "calendar/core/Holidays.h"
#include "calendar/ui/ReminderStore.h"
#include "seams/Services.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QTimer;
class QToolButton;

namespace qj {

class CaptionPanel;
class DayExtraPanel;
class TFDueReminders;
class TFReminders;
class TCnCalendar;

class TFcnDate : public QWidget {
    Q_OBJECT
public:
    // The years the calendar knows.
    static constexpr int kFirstYear = 1901;
    static constexpr int kLastYear = 2050;

    explicit TFcnDate(const Services& services, QWidget* parent = nullptr);
    ~TFcnDate() override;

    TCnCalendar* CnCalendar1() const { return cnCalendar1_; }
    // The hour list's selection: 0–11 (子 … 亥), −1 when no hour is chosen.
    int HourIndex() const;
    // "公历: 2006年 5月 6日".
    QString GregorianCaption() const;
    // "农历: 丙戌(狗) 四月初九立夏日子时".
    QString LunarCaption() const;
    // "丙戌 癸巳 丁亥 庚子 (午未 空)".
    QString PillarCaption() const;
    // The grid's hint (the day's message), line breaks CR CR LF.
    QString DayMessage() const { return hint_; }
    QString FestivalBar() const;
    QString ClockLine() const;

    // The refresh: boxes, captions, hint, festival bar and clock line for the grid's date and the
    // chosen hour.
    void CnCalendar1Change();
    // The mode refreshes: each does nothing unless its mode is the chosen one.
    void rbGLClick();
    void rbNLClick();
    // Today and the hour of the clock ("Now").
    void SpeedButton5Click();

    // What "显示排卦" (btn1) does before this window hides: show the divination window and cast by
    // the chosen date and hour. Without a hook the button only hides this window.
    void setDivinationHook(std::function<void()> hook) { divinationHook_ = std::move(hook); }

    // The side panel of the day's extras beside the window, opened and closed by the button at the
    // right end of the navigation bar (btnDayExtra); the rest of the window keeps its place and
    // size either way.
    void showDayExtra(bool shown);
    bool dayExtraShown() const;
    DayExtraPanel* dayExtraPanel() const { return pnlDayExtra_; }
    // The holiday arrangements the grid marks: the shipped file and the data folder's own files
    // (the messages of refused files are shown when the window is first shown).
    const HolidayCalendar& holidays() const { return holidays_; }
    // The 纪念日 of the data folder (marked in the grid, named in the extras) and their window.
    const ReminderStore& reminderStore() const { return reminders_; }
    void showReminders();
    TFReminders* remindersWindow() const { return remindersWindow_; }
    // Names today's and the coming days' 纪念日 in a window of their own, without blocking; false
    // when none is due. The program calls it at start, the window itself at every midnight.
    bool showDueReminders();
    TFDueReminders* dueRemindersWindow() const { return dueWindow_; }

signals:
    // The due window was shown with these lines (for the desktop's notification, where there is one).
    void remindersDue(const QString& lines);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Escape hides the window, as its close box does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildDayExtra();
    void loadHolidays();
    void refreshDayExtra();
    void remindersChanged();
    void scheduleMidnight();
    void connectControls();
    void moveToNow();
    bool lunarMode() const;
    // The number in the year box; shows the conversion error and gives nothing when it is none.
    std::optional<int> yearBoxNumber();
    void navigate(bool forward, const std::function<void()>& step);
    // The year, month and day boxes (CnDateBoxes.cpp).
    void connectBoxes();
    // The month and day lists of the shown date in the chosen mode: the days of the shown month,
    // the lunar year's own leap month.
    void fillBoxLists();
    // The shown date into the three boxes; also what a rejected entry gets back.
    void showDateInBoxes();
    // The navigation buttons are enabled only where they can step (not back from 1901, not on
    // from 2050, as the year box shows them).
    void updateNavigationButtons();
    void ComboBox1Change(bool reportBadText);
    void ComboBox2Change(int index);
    void ComboBox4Change(int index);
    // A month or day typed into its box is taken once it names one item and no longer month or
    // day could follow (in February "3" still waits: it may become 30, which is then refused); on
    // leaving the box a text that names no item gives the box back the date.
    void boxTextEdited(QComboBox* box);
    void boxEditingFinished(QComboBox* box);
    void setHint(const QString& hint);
    void setFestivalBar(const QString& text);
    void btn1Click();
    void CnCalendar1DblClick();
    void pnlGanZiDblClick();

    Services services_;
    std::function<void()> divinationHook_;
    QString hint_;
    HolidayCalendar holidays_;
    QStringList refusedHolidayFiles_; // not yet reported (and a refused file of 纪念日)
    ReminderStore reminders_;
    TFReminders* remindersWindow_ = nullptr;
    TFDueReminders* dueWindow_ = nullptr;
    QTimer* midnight_ = nullptr;

    QWidget* body_ = nullptr; // everything but the day's extras
    QToolButton* btnDayExtra_ = nullptr;
    DayExtraPanel* pnlDayExtra_ = nullptr;
    CaptionPanel* pnlNowTime_ = nullptr;
    QRadioButton* rbGL_ = nullptr;
    QRadioButton* rbNL_ = nullptr;
    QWidget* pnl2_ = nullptr;
    QToolButton* speedButtons_[5] = {};
    QComboBox* comboBox1_ = nullptr; // year
    QComboBox* comboBox2_ = nullptr; // month
    QComboBox* comboBox4_ = nullptr; // day
    QComboBox* comboBox3_ = nullptr; // hour
    CaptionPanel* pnl1_ = nullptr;
    TCnCalendar* cnCalendar1_ = nullptr;
    CaptionPanel* pnlGanZi_ = nullptr;
    QToolButton* btn1_ = nullptr;
    QToolButton* btn2_ = nullptr;
    QCheckBox* chk2_ = nullptr;
};

} // namespace qj
