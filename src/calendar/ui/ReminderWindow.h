#pragma once
// TFReminders: the 纪念日 window. The list of birthdays and anniversaries with the day each falls
// on next; a form to add one, change the chosen one or delete it (by lunar date with its leap-month
// and day-30 rules, or by Gregorian date with its 29-February rule; a note and the days ahead to
// remind); and the export of the reminders and holidays of a span of years as a calendar file.

#include "calendar/core/Holidays.h"
#include "calendar/ui/ReminderStore.h"
#include "seams/Services.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace qj {

class TFReminders : public QWidget {
    Q_OBJECT
public:
    // `changed` runs after every saved change (the calendar marks the days anew).
    TFReminders(const Services& services, ReminderStore& store, const HolidayCalendar& holidays,
                std::function<void()> changed, QWidget* parent = nullptr);

    // The list again from the store, the form emptied.
    void refresh();
    // The form's reminder (its id that of the chosen one, or a new one).
    Reminder formReminder() const;
    // Add, change, delete, export: the buttons' commands.
    void addClick();
    void changeClick();
    void deleteClick();
    void exportClick();

private:
    void showInForm(int row);
    void updateForm();
    void store(const std::vector<Reminder>& list);

    Services services_;
    ReminderStore& store_;
    const HolidayCalendar& holidays_;
    std::function<void()> changed_;
    QListWidget* list_ = nullptr;
    QLineEdit* title_ = nullptr;
    QComboBox* calendar_ = nullptr;
    QSpinBox* month_ = nullptr;
    QCheckBox* leap_ = nullptr;
    QSpinBox* day_ = nullptr;
    QComboBox* leapRule_ = nullptr;
    QComboBox* shortRule_ = nullptr;
    QComboBox* leapDayRule_ = nullptr;
    QSpinBox* ahead_ = nullptr;
    QLineEdit* note_ = nullptr;
    QSpinBox* fromYear_ = nullptr;
    QSpinBox* toYear_ = nullptr;
    QCheckBox* withHolidays_ = nullptr;
};

} // namespace qj
