#pragma once
// The category manager "当前所有目录分类": lists every category of the data file and creates,
// deletes, empties and chooses the default category. A modal dialog made once at start-up; each
// showing starts from FormShow, so the list always reflects the data file.

#include <QDialog>

class QGroupBox;
class QLabel;
class QListWidget;
class QToolButton;

namespace qj {

class CategoryHost;
class Clock;
class Dialogs;

class TFaddTable : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 303;
    static constexpr int kHeight = 299;
    // The default label when there is no category.
    static QString noCategoryText();

    TFaddTable(CategoryHost& host, Dialogs& dialogs, const Clock& clock, QWidget* parent = nullptr);

    void FormShow();
    void Lst1Click();
    void btn2Click();   // 新增
    void BtnDelClick(); // 删除
    // The warning before a category is deleted, naming it.
    static QString DeleteCategoryWarning(const QString& name);
    void BtnCurTbClick();     // 默认
    void BtnDelallClick();    // 清空
    void SpeedButton4Click(); // the close button

    // The names listed, in order.
    QStringList names() const;
    QString defaultLabel() const;

public slots:
    // A category was created (by "新增" or the main window's "增加目录分类"): appended to the list.
    void CategoryCreated(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes through the close button's rules.
    void reject() override;

private:
    void info(const QString& text);
    void fillList();
    void selectRow(int row);
    QString selectedName() const;

    CategoryHost& host_;
    Dialogs& dialogs_;
    const Clock& clock_;
    QLabel* LbCurTb_;
    QListWidget* Lst1_;
    QToolButton* BtnDelall_;
    QToolButton* BtnCurTb_;
    QToolButton* btn2_;
    QToolButton* BtnDel_;
    QToolButton* SpeedButton4_;
    bool closing_ = false;
};

} // namespace qj
