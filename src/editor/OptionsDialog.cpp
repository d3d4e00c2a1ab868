#include "editor/OptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qj {

OptionsDialog::OptionsDialog(const EditorOptions& options, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("EditorOptionsDialog"));
    setWindowTitle(QStringLiteral("编辑选项"));

    tabWidth_ = new QSpinBox(this);
    tabWidth_->setObjectName(QStringLiteral("tabWidth"));
    tabWidth_->setRange(1, 16);
    tabWidth_->setValue(options.tabWidth);
    edgeColumn_ = new QSpinBox(this);
    edgeColumn_->setObjectName(QStringLiteral("edgeColumn"));
    edgeColumn_->setRange(10, 500);
    edgeColumn_->setValue(options.edgeColumn);
    autoIndent_ = new QCheckBox(QStringLiteral("自动缩进(&I)"), this);
    autoIndent_->setObjectName(QStringLiteral("autoIndent"));
    autoIndent_->setChecked(options.autoIndent);
    trimTrailing_ = new QCheckBox(QStringLiteral("删除行尾空格(&B)"), this);
    trimTrailing_->setObjectName(QStringLiteral("trimTrailingBlanks"));
    trimTrailing_->setChecked(options.trimTrailingBlanks);
    caretPastEnd_ = new QCheckBox(QStringLiteral("光标可越过行尾(&E)"), this);
    caretPastEnd_->setObjectName(QStringLiteral("caretPastLineEnd"));
    caretPastEnd_->setChecked(options.caretPastLineEnd);
    gutter_ = new QCheckBox(QStringLiteral("显示行号栏(&G)"), this);
    gutter_->setObjectName(QStringLiteral("gutterShown"));
    gutter_->setChecked(options.gutterShown);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("制表符宽度(&T):"), tabWidth_);
    form->addRow(QStringLiteral("右边界列(&R):"), edgeColumn_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(autoIndent_);
    layout->addWidget(trimTrailing_);
    layout->addWidget(caretPastEnd_);
    layout->addWidget(gutter_);
    layout->addWidget(buttons);
}

EditorOptions OptionsDialog::options() const {
    EditorOptions o;
    o.tabWidth = tabWidth_->value();
    o.edgeColumn = edgeColumn_->value();
    o.autoIndent = autoIndent_->isChecked();
    o.trimTrailingBlanks = trimTrailing_->isChecked();
    o.caretPastLineEnd = caretPastEnd_->isChecked();
    o.gutterShown = gutter_->isChecked();
    return o;
}

} // namespace qj
