#include "editor/SearchDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qj {

SearchDialog::SearchDialog(Mode mode, QWidget* parent) : QDialog(parent), mode_(mode) {
    setObjectName(mode == Find ? QStringLiteral("FindDialog") : QStringLiteral("ReplaceDialog"));
    setWindowTitle(mode == Find ? QStringLiteral("查找") : QStringLiteral("替换"));
    setModal(false);

    auto* fields = new QFormLayout;
    findText_ = new QLineEdit(this);
    findText_->setObjectName(QStringLiteral("findText"));
    findText_->setMinimumWidth(fontMetrics().averageCharWidth() * 36);
    fields->addRow(QStringLiteral("查找内容(&N):"), findText_);
    if (mode == Replace) {
        replaceText_ = new QLineEdit(this);
        replaceText_->setObjectName(QStringLiteral("replaceText"));
        fields->addRow(QStringLiteral("替换为(&P):"), replaceText_);
    }
    matchCase_ = new QCheckBox(QStringLiteral("区分大小写(&C)"), this);
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    wholeWord_ = new QCheckBox(QStringLiteral("全字匹配(&W)"), this);
    wholeWord_->setObjectName(QStringLiteral("wholeWord"));
    backwards_ = new QCheckBox(QStringLiteral("向上查找(&U)"), this);
    backwards_->setObjectName(QStringLiteral("backwards"));
    auto* checks = new QVBoxLayout;
    checks->addWidget(matchCase_);
    checks->addWidget(wholeWord_);
    checks->addWidget(backwards_);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(checks);
    left->addStretch(1);

    auto* buttons = new QVBoxLayout;
    findButton_ = new QPushButton(QStringLiteral("查找下一个(&F)"), this);
    findButton_->setObjectName(QStringLiteral("findNext"));
    findButton_->setDefault(true);
    buttons->addWidget(findButton_);
    connect(findButton_, &QPushButton::clicked, this, &SearchDialog::findRequested);
    if (mode == Replace) {
        replaceButton_ = new QPushButton(QStringLiteral("替换(&R)"), this);
        replaceButton_->setObjectName(QStringLiteral("replace"));
        replaceAllButton_ = new QPushButton(QStringLiteral("全部替换(&A)"), this);
        replaceAllButton_->setObjectName(QStringLiteral("replaceAll"));
        buttons->addWidget(replaceButton_);
        buttons->addWidget(replaceAllButton_);
        connect(replaceButton_, &QPushButton::clicked, this, &SearchDialog::replaceRequested);
        connect(replaceAllButton_, &QPushButton::clicked, this, &SearchDialog::replaceAllRequested);
    }
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    connect(findText_, &QLineEdit::textChanged, this, &SearchDialog::updateButtons);
    updateButtons();
}

void SearchDialog::openWith(const SearchOptions& options, const QString& replacement) {
    findText_->setText(options.text);
    matchCase_->setChecked(options.matchCase);
    wholeWord_->setChecked(options.wholeWord);
    backwards_->setChecked(options.backwards);
    if (replaceText_)
        replaceText_->setText(replacement);
    show();
    raise();
    activateWindow();
    findText_->setFocus();
    findText_->selectAll();
}

SearchOptions SearchDialog::options() const {
    SearchOptions o;
    o.text = findText_->text();
    o.matchCase = matchCase_->isChecked();
    o.wholeWord = wholeWord_->isChecked();
    o.backwards = backwards_->isChecked();
    return o;
}

QString SearchDialog::replacement() const {
    return replaceText_ ? replaceText_->text() : QString();
}

void SearchDialog::updateButtons() {
    const bool any = !findText_->text().isEmpty();
    findButton_->setEnabled(any);
    if (replaceButton_) {
        replaceButton_->setEnabled(any);
        replaceAllButton_->setEnabled(any);
    }
}

} // namespace qj
