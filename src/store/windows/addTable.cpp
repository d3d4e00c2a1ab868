#include "store/windows/addTable.h"

#include "seams/Clock.h"
#include "seams/Dialogs.h"
#include "seams/StandardBoxes.h"
#include "store/DataFile.h"
#include "store/windows/CategoryHost.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>

namespace qj {

namespace {

const QString kTip = QStringLiteral("提示");

struct ButtonPlace {
    const char* name;
    const char* text;
    const char* picture;
    int top;
    int height;
};

// The right column: 72 wide; the close button shows only its picture.
constexpr ButtonPlace kButtons[] = {
    {"BtnDelall", "清空", ":/icons/actDelete16.png", 89, 24},
    {"BtnCurTb", "默认", ":/icons/actSave16.png", 157, 24},
    {"btn2", "新增", ":/icons/actNewCategory16.png", 193, 24},
    {"BtnDel", "删除", ":/icons/actDelete16.png", 222, 24},
    {"SpeedButton4", "", ":/icons/actExit.png", 256, 34},
};
constexpr int kButtonLeft = 222;
constexpr int kButtonWidth = 72;

// Today's date as the system writes it in short form (the default locale is the system's).
QString ShortDate(const Clock& clock) {
    return QLocale().toString(clock.now().date(), QLocale::ShortFormat);
}

} // namespace

QString TFaddTable::noCategoryText() {
    return QStringLiteral("当前没有可用目录分类");
}

TFaddTable::TFaddTable(CategoryHost& host, Dialogs& dialogs, const Clock& clock, QWidget* parent)
    : QDialog(parent), host_(host), dialogs_(dialogs), clock_(clock) {
    setObjectName(QStringLiteral("addTable"));
    setWindowTitle(QStringLiteral("当前所有目录分类"));
    // A minimise button and no close button: the window closes through its own button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint);
    setFixedSize(kWidth, kHeight);
    setModal(true);

    auto* frame = new QGroupBox(QStringLiteral("目录分类列表"), this);
    frame->setObjectName(QStringLiteral("GroupBox1"));
    frame->setGeometry(0, 0, kWidth, kHeight);
    auto* top = new QGroupBox(QStringLiteral("当前默认"), frame);
    top->setObjectName(QStringLiteral("GroupBox2"));
    top->setGeometry(8, 18, kWidth - 16, 63);
    LbCurTb_ = new QLabel(top);
    LbCurTb_->setObjectName(QStringLiteral("LbCurTb"));
    LbCurTb_->setGeometry(12, 22, kWidth - 40, 28);
    QPalette green = LbCurTb_->palette();
    green.setColor(QPalette::WindowText, QColor(0, 128, 0));
    LbCurTb_->setPalette(green);

    Lst1_ = new QListWidget(frame);
    Lst1_->setObjectName(QStringLiteral("Lst1"));
    Lst1_->setGeometry(8, 89, 207, kHeight - 89 - 8);
    Lst1_->setSelectionMode(QAbstractItemView::SingleSelection);
    QPalette pale = Lst1_->palette();
    pale.setColor(QPalette::Base, QColor(215, 255, 215));
    Lst1_->setPalette(pale);
    connect(Lst1_, &QListWidget::itemSelectionChanged, this, &TFaddTable::Lst1Click);

    QToolButton* buttons[std::size(kButtons)];
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonPlace& p = kButtons[i];
        auto* b = new QToolButton(frame);
        b->setObjectName(QString::fromLatin1(p.name));
        b->setAutoRaise(true);
        b->setGeometry(kButtonLeft, p.top, kButtonWidth, p.height);
        const QString text = QString::fromUtf8(p.text);
        const QString picture = QString::fromLatin1(p.picture);
        if (QFile::exists(picture))
            b->setIcon(QIcon(picture));
        if (text.isEmpty()) {
            b->setIconSize(QSize(28, 28));
            b->setToolTip(QStringLiteral("关闭"));
            if (!QFile::exists(picture))
                b->setText(QStringLiteral("关闭"));
        } else {
            b->setText(text);
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        buttons[i] = b;
    }
    BtnDelall_ = buttons[0];
    BtnCurTb_ = buttons[1];
    btn2_ = buttons[2];
    BtnDel_ = buttons[3];
    SpeedButton4_ = buttons[4];
    connect(BtnDelall_, &QToolButton::clicked, this, &TFaddTable::BtnDelallClick);
    connect(BtnCurTb_, &QToolButton::clicked, this, &TFaddTable::BtnCurTbClick);
    connect(btn2_, &QToolButton::clicked, this, &TFaddTable::btn2Click);
    connect(BtnDel_, &QToolButton::clicked, this, &TFaddTable::BtnDelClick);
    connect(SpeedButton4_, &QToolButton::clicked, this, &TFaddTable::SpeedButton4Click);
}

QStringList TFaddTable::names() const {
    QStringList out;
    for (int i = 0; i < Lst1_->count(); ++i)
        out << Lst1_->item(i)->text();
    return out;
}

QString TFaddTable::defaultLabel() const {
    return LbCurTb_->text();
}

void TFaddTable::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TFaddTable::FormShow() {
    fillList();
    const QString current = host_.currentCategory();
    LbCurTb_->setText(current.isEmpty() ? noCategoryText() : QLatin1Char(' ') + current);
}

void TFaddTable::fillList() {
    QStringList list;
    if (DataFile* file = host_.dataFile())
        host_.run([&] { list = file->Categories(); });
    Lst1_->clear();
    Lst1_->addItems(list);
    selectRow(list.isEmpty() ? -1 : 0);
    Lst1Click();
}

void TFaddTable::selectRow(int row) {
    Lst1_->setCurrentRow(row);
    if (row < 0)
        Lst1_->clearSelection();
}

QString TFaddTable::selectedName() const {
    const QList<QListWidgetItem*> selected = Lst1_->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->text();
}

void TFaddTable::Lst1Click() {
    const bool any = !Lst1_->selectedItems().isEmpty();
    BtnDel_->setEnabled(any);
    BtnCurTb_->setEnabled(any);
}

void TFaddTable::CategoryCreated(const QString& name) {
    Lst1_->addItem(name);
}

void TFaddTable::btn2Click() {
    const int before = Lst1_->count();
    host_.createCategory();
    if (Lst1_->count() > before) {
        selectRow(Lst1_->count() - 1);
        LbCurTb_->setText(Lst1_->item(Lst1_->count() - 1)->text());
    }
}

// The warning names the category it is about, above the standard wording.
QString TFaddTable::DeleteCategoryWarning(const QString& name) {
    return QStringLiteral(
               "目录分类【%1】\r\r\n"
               "此操作将删除选择的目录分类中所有数据，数据不可恢复.\r\r\n真的要将这个目录分类删除吗?")
        .arg(name);
}

void TFaddTable::BtnDelClick() {
    if (Lst1_->count() == 0) {
        info(QStringLiteral("当前没有可以删除的目录分类"));
        return;
    }
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (MessageBox(dialogs_, this, QStringLiteral("非常危险提示 ！！！"), DeleteCategoryWarning(name),
                   MessageIcon::Warning, {DialogButton::Yes, DialogButton::No},
                   DialogButton::No) != DialogButton::Yes)
        return;
    if (!host_.dropCategory(name)) {
        fillList();
        return;
    }
    delete Lst1_->takeItem(Lst1_->row(Lst1_->selectedItems().front()));
    LbCurTb_->clear();
    QStringList left;
    if (DataFile* file = host_.dataFile())
        host_.run([&] { left = file->Categories(); });
    if (left.isEmpty())
        host_.createCategory();
    if (Lst1_->count() > 0) {
        selectRow(0);
        BtnCurTbClick();
    } else {
        host_.closeCurrent();
        LbCurTb_->setText(noCategoryText());
    }
}

void TFaddTable::BtnCurTbClick() {
    if (Lst1_->count() == 0) {
        info(QStringLiteral("当前没有目录分类可是设置！"));
        return;
    }
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    // The editor is emptied: a changed note text is asked about first, never dropped.
    if (!host_.makeDefault(name))
        return;
    LbCurTb_->setText(name);
    info(QStringLiteral("设置完成!"));
    host_.makeCurrent(name);
}

void TFaddTable::BtnDelallClick() {
    if (Lst1_->count() == 0) {
        info(QStringLiteral("当前没有可以删除的目录分类"));
        return;
    }
    if (MessageBox(dialogs_, this, QStringLiteral("超级危险提示 ！！！"),
                   QStringLiteral("此操作将删除所有数据，数据不可恢复, 真的要全部删除?"),
                   MessageIcon::Question, {DialogButton::Yes, DialogButton::No},
                   DialogButton::No) != DialogButton::Yes)
        return;
    InputRequest request;
    request.caption = QStringLiteral("删除所有数据  ") + ShortDate(clock_);
    request.prompt = QStringLiteral("请再次确认【删除所有数据】\r\r\n请输入密码：");
    request.text = QStringLiteral("**********");
    const std::optional<QString> typed = dialogs_.inputText(this, request);
    if (!typed || *typed != ShortDate(clock_))
        return;
    if (!host_.dataFile())
        return;
    if (!host_.dropCategories(names())) {
        fillList(); // the tables that are left
        return;
    }
    Lst1_->clear();
    Lst1Click();
    LbCurTb_->setText(noCategoryText());
}

void TFaddTable::SpeedButton4Click() {
    if (Lst1_->count() == 0) {
        host_.closeCurrent();
    } else if (Lst1_->count() == 1) {
        const QString only = Lst1_->item(0)->text();
        host_.makeCurrentAndDefault(only);
    }
    if (LbCurTb_->text().isEmpty() && Lst1_->count() > 0) {
        const QString first = Lst1_->item(0)->text();
        host_.makeCurrentAndDefault(first);
        LbCurTb_->setText(first);
    }
    host_.managerClosed();
    closing_ = true;
    QDialog::reject();
    closing_ = false;
}

void TFaddTable::reject() {
    if (!closing_)
        SpeedButton4Click();
}

void TFaddTable::info(const QString& text) {
    MessageBox(dialogs_, this, kTip, text, MessageIcon::Information);
}

} // namespace qj
