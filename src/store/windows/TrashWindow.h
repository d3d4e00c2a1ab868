#pragma once
// "回收站": deleted subtrees and categories kept for 30 days, newest first, with time, kind,
// category, title, notes and size; "恢复" puts the selected entry back (see NoteTrash.h) and tells
// the host what came back, so the main window can show it.

#include "store/NoteTrash.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace qj {

class DataFile;
class Dialogs;

class TrashWindow : public QDialog {
    Q_OBJECT
public:
    // `restored` is called after an entry came back; `prepare` before (false: the user kept the
    // edited text unsaved, nothing is restored).
    TrashWindow(DataFile& file, Dialogs& dialogs, std::function<bool()> prepare,
                std::function<void(const Restored&)> restored, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QPushButton* restoreButton() const { return restoreButton_; }
    void restoreSelected();

private:
    void fill();

    DataFile& file_;
    Dialogs& dialogs_;
    std::function<bool()> prepare_;
    std::function<void(const Restored&)> restored_;
    std::vector<TrashEntry> entries_;
    QTreeWidget* list_ = nullptr;
    QLabel* empty_ = nullptr;
    QPushButton* restoreButton_ = nullptr;
};

} // namespace qj
