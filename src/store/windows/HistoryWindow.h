#pragma once
// "历史版本": the texts that saves replaced in the shown note, newest first, with their time and
// size; the selected one's difference against the text in the editor (lines taken out and put in);
// "恢复此版本" hands its text to the editor as a change (nothing is written to the data file).

#include "store/NoteHistory.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace qj {

class Database;
class DataFile;

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    // The revisions of note `noteId` of `category`; `current` is the editor's text, `restore` puts a
    // revision's text into the editor.
    HistoryWindow(DataFile& file, const QString& category, std::int64_t noteId, const QString& title,
                  QString current, std::function<void(const QString&)> restore, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    QTreeWidget* list() const { return list_; }
    QPlainTextEdit* difference() const { return difference_; }
    QPushButton* restoreButton() const { return restoreButton_; }

private:
    void showDifference();
    void restoreSelected();

    std::unique_ptr<Database> own_; // the history file read on its own when it cannot be attached
    Database* db_ = nullptr;
    QString schema_;
    QString current_;
    std::function<void(const QString&)> restore_;
    std::vector<Revision> revisions_;
    QTreeWidget* list_ = nullptr;
    QPlainTextEdit* difference_ = nullptr;
    QLabel* budget_ = nullptr;
    QPushButton* restoreButton_ = nullptr;
};

// A size in bytes as the windows show it ("850 字节", "12.4 KB", "3.1 MB").
QString SizeText(std::int64_t bytes);

} // namespace qj
