// The calendar window's controls and their layout, top to bottom: the clock line with the two mode
// buttons, the navigation bar, the festival bar, the grid, the pillar caption with the buttons.

#include "calendar/ui/CnDate.h"

#include "calendar/core/HolidayFiles.h"
#include "calendar/core/HourList.h"
#include "calendar/ui/CaptionPanel.h"
#include "calendar/ui/CnCalendar.h"
#include "calendar/ui/DayExtraPanel.h"
#include "shell/FileVersion.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace qj {

namespace {

const QColor kBoxGround(255, 255, 208);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 128, 0);
const QColor kFestivalGround(238, 238, 255);

struct NavigationButton {
    const char* name;
    const char* hint;
    QStyle::StandardPixmap picture;
};

const NavigationButton kNavigationButtons[] = {
    {"SpeedButton1", "Prev Year", QStyle::SP_MediaSkipBackward},
    {"SpeedButton2", "Prev Month", QStyle::SP_MediaSeekBackward},
    {"SpeedButton3", "Next Month", QStyle::SP_MediaSeekForward},
    {"SpeedButton4", "Next Year", QStyle::SP_MediaSkipForward},
    {"SpeedButton5", "Now", QStyle::SP_BrowserReload},
};

// The designed window is 481 × 385 at 96 dpi with an 11-pixel face; the Chinese face here is taller,
// so the window grows with the font and the layouts absorb the rest.
constexpr int kBaseWidth = 481;
constexpr int kBaseHeight = 385;
constexpr int kBaseFontPixels = 11;
// The longest texts of their kind the window shows (the widest lunar caption: a leap month, a
// term day and a two-character day name).
constexpr char kLongestGregorianCaption[] = "公历: 2050年 12月 28日";
constexpr char kLongestLunarCaption[] = "农历: 庚午(马) 闰十一月廿九大雪日亥时";
constexpr char kLongestClockLine[] = "现在时间: 2050/12/28 23:59:59";
constexpr char kLongestPillarCaption[] = "庚午 戊子 壬寅 庚子 (辰巳 空)";

QComboBox* Box(const char* name, bool editable, int visibleRows, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(editable);
    box->setMaxVisibleItems(visibleRows);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, kBoxGround);
    p.setColor(QPalette::Button, kBoxGround);
    box->setPalette(p);
    return box;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    widget->setPalette(p);
}

QToolButton* FlatButton(const char* name, const QString& hint, const QIcon& picture, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setIcon(picture);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

// The hour list's items are 16 pixels high, or as high as their text needs.
class HourItems : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(16, option.fontMetrics.height() + 2));
        return size;
    }
};

QStringList Numbers(int first, int last) {
    QStringList items;
    for (int i = first; i <= last; ++i)
        items << QString::number(i);
    return items;
}

} // namespace

TFcnDate::TFcnDate(const Services& services, QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      services_(services) {
    setObjectName(QStringLiteral("FcnDate"));
    buildControls();
    buildDayExtra();
    loadHolidays();
    connectControls();
    setWindowTitle(QStringLiteral("Chinese Calendar V") +
                   ReadFileVersion(QCoreApplication::applicationFilePath()));

    // The window keeps one size whatever it shows: wide enough for the longest captions it can
    // have, and high enough for two lines of text in every row of the grid.
    rbGL_->setText(QString::fromUtf8(kLongestGregorianCaption));
    rbNL_->setText(QString::fromUtf8(kLongestLunarCaption));
    pnlNowTime_->setCaption(QString::fromUtf8(kLongestClockLine));
    pnlGanZi_->setCaption(QString::fromUtf8(kLongestPillarCaption));
    cnCalendar1_->setMinimumHeight(7 * (2 * QFontMetrics(cnCalendar1_->font()).height() + 4));
    const int fontPixels = QFontMetrics(font()).height();
    const double grow = std::max(1.0, fontPixels / double(kBaseFontPixels + 3));
    body_->setFixedSize(
        QSize(int(kBaseWidth * grow), int(kBaseHeight * grow)).expandedTo(body_->minimumSizeHint()));
    moveToNow();
    CnCalendar1Change();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TFcnDate::~TFcnDate() = default;

void TFcnDate::buildControls() {
    // The window is the body and the day's extras side by side; it takes the size they need, so
    // that closing the extras gives back the body's.
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->setSizeConstraint(QLayout::SetFixedSize);
    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("pnlBody"));
    row->addWidget(body_);
    auto* column = new QVBoxLayout(body_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    pnlNowTime_ = new CaptionPanel(QStringLiteral("pnlNowTime"), Qt::AlignRight, true, body_);
    pnlNowTime_->setMinimumHeight(39);
    pnlNowTime_->setBorderWidth(10);
    pnlNowTime_->setCaptionColour(kGreen);
    rbGL_ = new QRadioButton(QStringLiteral("公历"), pnlNowTime_);
    rbGL_->setObjectName(QStringLiteral("rbGL"));
    rbGL_->setToolTip(QStringLiteral("公历查询"));
    rbGL_->setChecked(true);
    rbNL_ = new QRadioButton(QStringLiteral("农历"), pnlNowTime_);
    rbNL_->setObjectName(QStringLiteral("rbNL"));
    rbNL_->setToolTip(QStringLiteral("农历查询"));
    SetTextColour(rbNL_, kBlue);
    pnlNowTime_->addControl(rbGL_);
    pnlNowTime_->addControl(rbNL_);
    column->addWidget(pnlNowTime_);

    pnl2_ = new QFrame(body_);
    pnl2_->setObjectName(QStringLiteral("pnl2"));
    pnl2_->setMinimumHeight(31);
    auto* bar = new QHBoxLayout(pnl2_);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->setSpacing(3);
    for (int i = 0; i < 5; ++i) {
        const NavigationButton& b = kNavigationButtons[i];
        speedButtons_[i] =
            FlatButton(b.name, QString::fromLatin1(b.hint), style()->standardIcon(b.picture), pnl2_);
    }
    comboBox1_ = Box("ComboBox1", true, 15, pnl2_);
    comboBox1_->addItems(Numbers(1901, 2050));
    comboBox2_ = Box("ComboBox2", true, 12, pnl2_);
    comboBox2_->addItems(Numbers(1, 12));
    comboBox4_ = Box("ComboBox4", true, 15, pnl2_);
    comboBox4_->addItems(Numbers(1, 31));
    comboBox3_ = Box("ComboBox3", false, 12, pnl2_);
    comboBox3_->setItemDelegate(new HourItems(comboBox3_));
    for (std::string_view item : kHourListItems)
        comboBox3_->addItem(QString::fromUtf8(item.data(), qsizetype(item.size())));
    QFont hourFont = comboBox3_->font();
    hourFont.setPixelSize(13);
    comboBox3_->setFont(hourFont);
    // Lunar names are wider than numbers: the boxes keep room for "闰十一" and "廿九".
    comboBox2_->setMinimumContentsLength(6);
    comboBox4_->setMinimumContentsLength(4);
    comboBox1_->setMinimumContentsLength(5);
    bar->addWidget(speedButtons_[0]);
    bar->addWidget(speedButtons_[1]);
    bar->addWidget(comboBox1_);
    bar->addWidget(comboBox2_);
    bar->addWidget(comboBox4_);
    bar->addWidget(speedButtons_[2]);
    bar->addWidget(speedButtons_[3]);
    bar->addWidget(speedButtons_[4]);
    bar->addWidget(comboBox3_);
    bar->addStretch(1);
    column->addWidget(pnl2_);

    pnl1_ = new CaptionPanel(QStringLiteral("pnl1"), Qt::AlignLeft, false, body_);
    pnl1_->setMinimumHeight(25);
    pnl1_->setGround(kFestivalGround);
    pnl1_->setCaptionColour(kBlue);
    column->addWidget(pnl1_);

    cnCalendar1_ = new TCnCalendar(services_.clock, body_);
    cnCalendar1_->setObjectName(QStringLiteral("CnCalendar1"));
    cnCalendar1_->setMonthFontcolor(QColor(238, 247, 247));
    cnCalendar1_->setStartOfWeek(0);
    cnCalendar1_->setUseCurrentDate(false);
    // In either mode no control takes the grid outside the days the tables know.
    cnCalendar1_->setDateLimits(EncodeDate(kFirstYear, 1, 1), EncodeDate(kLastYear, 12, 31));
    QFont gridFont = cnCalendar1_->font();
    gridFont.setPixelSize(13);
    cnCalendar1_->setFont(gridFont);
    column->addWidget(cnCalendar1_, 1);

    pnlGanZi_ = new CaptionPanel(QStringLiteral("pnlGanZi"), Qt::AlignRight, true, body_);
    pnlGanZi_->setMinimumHeight(35);
    pnlGanZi_->setBorderWidth(10);
    pnlGanZi_->setToolTip(QStringLiteral("双击鼠标，存到剪贴板"));
    pnlGanZi_->setCaptionColour(kBlue);
    QFont pillarFont = pnlGanZi_->font();
    pillarFont.setPixelSize(13);
    pillarFont.setBold(true);
    pnlGanZi_->setFont(pillarFont);
    btn1_ = FlatButton("btn1", QStringLiteral("显示排卦"),
                       style()->standardIcon(QStyle::SP_FileDialogContentsView), pnlGanZi_);
    btn2_ = FlatButton("btn2", QStringLiteral("关闭"), style()->standardIcon(QStyle::SP_DialogCloseButton),
                       pnlGanZi_);
    chk2_ = new QCheckBox(QStringLiteral("窗体透明"), pnlGanZi_);
    chk2_->setObjectName(QStringLiteral("chk2"));
    chk2_->setToolTip(QStringLiteral("将本窗体透明显示"));
    SetTextColour(chk2_, kBlue);
    QFont checkFont = chk2_->font();
    checkFont.setBold(false);
    chk2_->setFont(checkFont);
    pnlGanZi_->addControl(btn1_);
    pnlGanZi_->addControl(btn2_);
    pnlGanZi_->addControl(chk2_);
    column->addWidget(pnlGanZi_);

    // Tab goes through the controls as they are laid out; the grid has the focus at first, so
    // that the arrow keys move between days at once.
    QWidget* order[] = {rbGL_,
                        rbNL_,
                        speedButtons_[0],
                        speedButtons_[1],
                        comboBox1_,
                        comboBox2_,
                        comboBox4_,
                        speedButtons_[2],
                        speedButtons_[3],
                        speedButtons_[4],
                        comboBox3_,
                        cnCalendar1_,
                        btn1_,
                        btn2_,
                        chk2_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    cnCalendar1_->setFocus();
}

} // namespace qj
