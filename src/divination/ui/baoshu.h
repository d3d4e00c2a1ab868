#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qj {

// The number dialog "报数起卦": two number fields (第一个数, 第二个数) that take only the digits
// and ".", and the box "动爻加时间" (ticked when the dialog opens). Enter in the first field moves
// to the second, Enter in the second to 选择. 选择 with both fields filled hands them on.
class TFbaoshu : public QDialog {
    Q_OBJECT
public:
    struct Numbers {
        QString first;
        QString second;
        bool addHour = true;
    };
    // `cast` receives the fields; the dialog closes when it returns true and stays as it is when
    // it returns false (the refusal shown by the caller).
    explicit TFbaoshu(std::function<bool(const Numbers&)> cast, QWidget* parent = nullptr);

    QLineEdit* firstField() const { return edt1_; }
    QLineEdit* secondField() const { return edt2_; }
    QCheckBox* addHourBox() const { return chk1_; }
    QPushButton* chooseButton() const { return btnChoose_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose();

    std::function<bool(const Numbers&)> cast_;
    QLineEdit* edt1_ = nullptr;
    QLineEdit* edt2_ = nullptr;
    QCheckBox* chk1_ = nullptr;
    QPushButton* btnChoose_ = nullptr;
};

} // namespace qj
