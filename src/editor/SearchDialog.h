#pragma once
// The find dialog and the replace dialog of the note editor: one non-modal window each, driven
// from the keyboard (Enter finds, Esc closes), remembering its text and options while the program
// runs.

#include "editor/EditorSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qj {

class SearchDialog : public QDialog {
    Q_OBJECT
public:
    enum Mode { Find, Replace };
    SearchDialog(Mode mode, QWidget* parent);

    // Shows the dialog with these options (the selection's text as the search text when given).
    void openWith(const SearchOptions& options, const QString& replacement);
    SearchOptions options() const;
    QString replacement() const;

signals:
    void findRequested();
    void replaceRequested();
    void replaceAllRequested();

private:
    void updateButtons();

    Mode mode_;
    QLineEdit* findText_;
    QLineEdit* replaceText_ = nullptr;
    QCheckBox* matchCase_;
    QCheckBox* wholeWord_;
    QCheckBox* backwards_;
    QPushButton* findButton_;
    QPushButton* replaceButton_ = nullptr;
    QPushButton* replaceAllButton_ = nullptr;
};

} // namespace qj
