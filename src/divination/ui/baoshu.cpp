#include "divination/ui/baoshu.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qj {
namespace {

// A typed character the number fields take: the digits and ".".
bool TakesCharacter(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
}

bool IsEditingKey(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

TFbaoshu::TFbaoshu(std::function<bool(const Numbers&)> cast, QWidget* parent)
    : QDialog(parent), cast_(std::move(cast)) {
    setObjectName(QStringLiteral("Fbaoshu"));
    setWindowTitle(QStringLiteral("报数起卦"));
    setAttribute(Qt::WA_DeleteOnClose);

    edt1_ = new QLineEdit(this);
    edt1_->setObjectName(QStringLiteral("edt1"));
    edt2_ = new QLineEdit(this);
    edt2_->setObjectName(QStringLiteral("edt2"));
    for (QLineEdit* field : {edt1_, edt2_}) {
        field->installEventFilter(this);
        field->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
    }
    chk1_ = new QCheckBox(QStringLiteral("动爻加时间"), this);
    chk1_->setObjectName(QStringLiteral("chk1"));
    chk1_->setChecked(true);

    btnChoose_ = new QPushButton(QStringLiteral("选择"), this);
    btnChoose_->setObjectName(QStringLiteral("btnChoose"));
    auto* btnQuit = new QPushButton(QStringLiteral("退出"), this);
    btnQuit->setObjectName(QStringLiteral("btnQuit"));
    connect(btnChoose_, &QPushButton::clicked, this, &TFbaoshu::choose);
    connect(btnQuit, &QPushButton::clicked, this, &QDialog::close);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("第一个数"), edt1_);
    form->addRow(QStringLiteral("第二个数"), edt2_);
    form->addRow(QString(), chk1_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnChoose_);
    buttons->addWidget(btnQuit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edt1_->setFocus();
}

bool TFbaoshu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == edt1_ || watched == edt2_)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEnter(key)) {
            if (watched == edt1_)
                edt2_->setFocus();
            else
                btnChoose_->setFocus();
            return true;
        }
        // Keys that type no character (arrows, Delete, Home, shortcuts) and the editing keys
        // whose text is a control character (Backspace, Tab, Escape) work as usual.
        const QString typed = key->text();
        if (IsEditingKey(key) || typed.isEmpty() || key->matches(QKeySequence::Paste) ||
            key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Undo))
            return false;
        for (QChar c : typed)
            if (!TakesCharacter(c))
                return true;
        return false;
    }
    return QDialog::eventFilter(watched, event);
}

void TFbaoshu::choose() {
    const Numbers numbers{edt1_->text(), edt2_->text(), chk1_->isChecked()};
    if (numbers.first.isEmpty() || numbers.second.isEmpty())
        return;
    if (cast_ && cast_(numbers))
        close();
}

} // namespace qj
