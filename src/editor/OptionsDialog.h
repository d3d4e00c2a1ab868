#pragma once
// "编辑选项(&E)": the editor's options dialog.

#include "editor/EditorLook.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace qj {

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(const EditorOptions& options, QWidget* parent);
    EditorOptions options() const;

private:
    QSpinBox* tabWidth_;
    QSpinBox* edgeColumn_;
    QCheckBox* autoIndent_;
    QCheckBox* trimTrailing_;
    QCheckBox* caretPastEnd_;
    QCheckBox* gutter_;
};

} // namespace qj
