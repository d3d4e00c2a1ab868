#include "alert/PAlert.h"

#include "alert/TrackBar.h"
#include "platform/DateTimeText.h"
#include "platform/SessionCommands.h"
#include "seams/StandardBoxes.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace qj {

namespace {

constexpr int kWidth = 474;
constexpr int kHeight = 387;
constexpr int kTickMs = 250;

// The action list, by entry index (AlarmAction).
constexpr const char* kActionTexts[] = {"定时提示信息", "定时自动关机", "定时强制重启", "定时注销用户"};

const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kMaroon(128, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kBoxBack(255, 255, 206);
const QColor kMemoBack(255, 255, 170);

// Arial where it is installed, else a sans-serif face of the same build: left to fontconfig, a
// Chinese locale maps "Arial" to a Song face, which makes the clock's digits look printed.
QFont PixelFont(const QString& family, int pixels) {
    QFont font(family);
    const bool narrow = family.endsWith(QLatin1String("Narrow"));
    QStringList families{family};
    if (narrow)
        families << QStringLiteral("Liberation Sans Narrow") << QStringLiteral("DejaVu Sans Condensed");
    families << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans")
             << QStringLiteral("WenQuanYi Micro Hei");
    font.setFamilies(families);
    font.setPixelSize(pixels);
    return font;
}

void SetColours(QWidget* widget, const QColor& text, const QColor& base = QColor()) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    if (base.isValid())
        palette.setColor(QPalette::Base, base);
    widget->setPalette(palette);
}

QSpinBox* ValueBox(QWidget* parent, const char* name, int maximum) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, maximum);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->findChild<QLineEdit*>()->setMaxLength(2);
    box->setFont(PixelFont(QStringLiteral("Arial"), 24));
    SetColours(box, kBlue, kBoxBack);
    box->setMinimumWidth(64);
    return box;
}

QToolButton* PictureButton(QWidget* parent, const char* name, const char* picture, const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(picture))));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setText(hint);
    button->setToolTip(hint);
    button->setMinimumSize(96, 30);
    return button;
}

} // namespace

TFAlerting::TFAlerting(const Services& services, AlertHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      services_(services), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("FAlerting"));
    setWindowTitle(QStringLiteral("Alert"));
    setFont(PixelFont(QStringLiteral("Arial"), 13));
    buildControls();
    resize(sizeHint().expandedTo(QSize(kWidth, kHeight)));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName(QStringLiteral("tc1Timer"));
    clockTimer_->setInterval(kTickMs);
    connect(clockTimer_, &QTimer::timeout, this, &TFAlerting::tick);
    clockTimer_->start();
    tick();
}

TFAlerting::~TFAlerting() = default;

void TFAlerting::buildControls() {
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    auto* column = new QVBoxLayout;
    outer->addLayout(column, 1);

    // Setting the delay: the clock and the three value boxes.
    grp1_ = new QGroupBox(QStringLiteral("报警时间设置"), this);
    grp1_->setObjectName(QStringLiteral("grp1"));
    grp1_->setToolTip(QStringLiteral("双击左键当前时间"));
    grp1_->setCursor(Qt::PointingHandCursor);
    grp1_->setMinimumHeight(112);
    grp1_->installEventFilter(this);
    auto* setting = new QGridLayout(grp1_);
    tc1_ = new QLabel(grp1_);
    tc1_->setObjectName(QStringLiteral("tc1"));
    QFont digits = PixelFont(QStringLiteral("Arial Narrow"), 48);
    digits.setStretch(QFont::SemiCondensed);
    tc1_->setFont(digits);
    SetColours(tc1_, kGreen);
    tc1_->setAlignment(Qt::AlignCenter);
    tc1_->setMinimumSize(208, 71);
    setting->addWidget(tc1_, 0, 0, 2, 1);
    rxs1_ = ValueBox(grp1_, "rxs1", 24);
    rxs2_ = ValueBox(grp1_, "rxs2", 59);
    rxs3_ = ValueBox(grp1_, "rxs3", 59);
    const char* unitNames[] = {"lbl3", "lbl4", "lbl5"};
    const char* units[] = {"小时", "分钟", "秒"};
    QSpinBox* boxes[] = {rxs1_, rxs2_, rxs3_};
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(QString::fromUtf8(units[i]), grp1_);
        label->setObjectName(QString::fromLatin1(unitNames[i]));
        label->setBuddy(boxes[i]);
        setting->addWidget(label, 0, i + 1, Qt::AlignBottom | Qt::AlignLeft);
        setting->addWidget(boxes[i], 1, i + 1);
        connect(boxes[i], &QSpinBox::valueChanged, this, &TFAlerting::rxs3Change);
    }
    setting->setColumnStretch(0, 1);
    column->addWidget(grp1_);

    // What happens at the alarm, and the two switches.
    grp2_ = new QGroupBox(QStringLiteral("报警执行事件"), this);
    grp2_->setObjectName(QStringLiteral("grp2"));
    grp2_->setMinimumHeight(63);
    auto* actions = new QHBoxLayout(grp2_);
    cbb1_ = new QComboBox(grp2_);
    cbb1_->setObjectName(QStringLiteral("cbb1"));
    for (const char* text : kActionTexts)
        cbb1_->addItem(QString::fromUtf8(text));
    cbb1_->setCurrentIndex(0);
    cbb1_->setMinimumWidth(201);
    actions->addWidget(cbb1_);
    actions->addStretch(1);
    chk1_ = new QCheckBox(QStringLiteral("开启报警"), grp2_);
    chk1_->setObjectName(QStringLiteral("chk1"));
    SetColours(chk1_, kMaroon);
    actions->addWidget(chk1_);
    chk2_ = new QCheckBox(QStringLiteral("窗体透明"), grp2_);
    chk2_->setObjectName(QStringLiteral("chk2"));
    SetColours(chk2_, kGrey);
    actions->addWidget(chk2_);
    connect(chk1_, &QCheckBox::toggled, this, &TFAlerting::chk1Click);
    connect(chk2_, &QCheckBox::toggled, this, &TFAlerting::chk2Click);
    column->addWidget(grp2_);

    // The reminder text.
    auto* grp3 = new QGroupBox(QStringLiteral("报警提示内容"), this);
    grp3->setObjectName(QStringLiteral("grp3"));
    auto* memoLayout = new QVBoxLayout(grp3);
    mmoAlarm_ = new QPlainTextEdit(grp3);
    mmoAlarm_->setObjectName(QStringLiteral("mmoAlarm"));
    mmoAlarm_->setFont(PixelFont(QStringLiteral("Arial"), 13));
    SetColours(mmoAlarm_, kGreen, kMemoBack);
    mmoAlarm_->setTabChangesFocus(true);
    memoLayout->addWidget(mmoAlarm_);
    column->addWidget(grp3, 1);

    // The bottom strip: empty the reminder, close the window.
    auto* strip = new QHBoxLayout;
    btn1_ = PictureButton(this, "btn1", "btnClear", QStringLiteral("清除"));
    btn2_ = PictureButton(this, "btn2", "btnClose", QStringLiteral("关闭"));
    strip->addWidget(btn1_);
    strip->addStretch(1);
    strip->addWidget(btn2_);
    column->addLayout(strip);
    connect(btn1_, &QToolButton::clicked, mmoAlarm_, &QPlainTextEdit::clear);
    connect(btn2_, &QToolButton::clicked, this, &QWidget::close);

    // The opacity strip at the right edge, shown while the window is translucent.
    pnl2_ = new QWidget(this);
    pnl2_->setObjectName(QStringLiteral("pnl2"));
    pnl2_->setFixedWidth(30);
    auto* trackLayout = new QVBoxLayout(pnl2_);
    trackLayout->setContentsMargins(0, 0, 0, 0);
    trackBar1_ = new TrackBar(Qt::Vertical, pnl2_);
    trackBar1_->setObjectName(QStringLiteral("TrackBar1"));
    trackBar1_->setRange(0, 254);
    trackBar1_->setValue(kStartOpacity);
    trackBar1_->setSelection(trackBar1_->minimum(), kStartOpacity);
    trackBar1_->setPageStep(5);
    trackBar1_->setSingleStep(20);
    trackBar1_->setTickPosition(QSlider::TicksLeft);
    trackBar1_->setTickInterval(16);
    trackLayout->addWidget(trackBar1_);
    // The strip keeps its room while hidden: the window keeps one width either way.
    QSizePolicy stripPolicy = pnl2_->sizePolicy();
    stripPolicy.setRetainSizeWhenHidden(true);
    pnl2_->setSizePolicy(stripPolicy);
    pnl2_->hide();
    outer->addWidget(pnl2_);
    connect(trackBar1_, &QSlider::valueChanged, this, &TFAlerting::TrackBar1Change);
}

void TFAlerting::tick() {
    const QDateTime now = services_.clock.now();
    tc1_->setText(now.time().toString(QStringLiteral("HH:mm:ss")));
    refreshActionFrame();
    if (alarm_.check(now))
        tc1Alarm();
}

// "开启报警" ticked arms the alarm with the delay of the boxes; cleared, it disarms it and sets
// the boxes back to 0.
void TFAlerting::chk1Click(bool checked) {
    if (!checked) {
        alarm_.disarm();
        for (QSpinBox* box : {rxs1_, rxs2_, rxs3_})
            box->setValue(0);
        return;
    }
    const qint64 delay = AlarmClock::DelaySeconds(rxs1_->value(), rxs2_->value(), rxs3_->value());
    if (delay == 0) {
        ErrorBox(services_.dialogs, this,
                 LongTimeText(QTime(0, 0)) + QStringLiteral("\r\r\n请设置报警时间 !"));
        chk1_->setChecked(false);
        return;
    }
    const QDateTime due = alarm_.arm(services_.clock.now(), delay);
    setWindowTitle(QStringLiteral("报警时间：") + ShortDateText(due.date()) + QLatin1Char(' ') +
                   LongTimeText(due.time()));
}

// Any change of a value box disarms: the delay no longer matches what was armed.
void TFAlerting::rxs3Change() {
    chk1_->setChecked(false);
    setWindowTitle(QStringLiteral("Alert"));
}

// The current time of day into the boxes (as a delay, to be changed from there).
void TFAlerting::grp1DblClick() {
    chk1_->setChecked(false);
    const QTime now = services_.clock.now().time();
    rxs1_->setValue(now.hour());
    rxs2_->setValue(now.minute());
    rxs3_->setValue(now.second());
}

void TFAlerting::tc1Alarm() {
    playSound();
    chk1_->setChecked(false); // disarms and sets the boxes to 0
    setWindowTitle(QStringLiteral("Alert"));
    show();
    raise();
    activateWindow();
    // The reminder ends here: the notebook and its data file carry on as they were.
    const auto action = static_cast<AlarmAction>(cbb1_->currentIndex());
    if (action == AlarmAction::Reminder)
        return;
    // Nobody may be there to answer: the changed note text is saved without a question.
    if (hooks_.prepareSessionEnd && !hooks_.prepareSessionEnd())
        return; // the text could not be saved (the failure was shown): the session does not end under it
    const SessionCommand command = SessionCommandFor(action);
    if (!services_.launcher.runToEnd(command.program, command.arguments)) {
        // The system refused: say so in front of everything, and the program keeps running.
        ErrorBox(services_.dialogs, this, SessionCommandFailedText(cbb1_->currentText(), command));
        return;
    }
    if (hooks_.exitProgram)
        hooks_.exitProgram();
}

QString TFAlerting::SessionCommandFailedText(const QString& actionText, const SessionCommand& command) {
    const QString line = (QStringList{command.program} + command.arguments).join(QLatin1Char(' '));
    return QStringLiteral("%1未能执行：系统命令“%2”没有成功。\n青简札记继续运行，资料已经保存。")
        .arg(actionText, line);
}

// Alerting.wav of the data folder or the installed one, else the system beep; also the beep when the file is
// there but cannot be played.
void TFAlerting::playSound() {
    const QString path = services_.folder.findFile(QString::fromLatin1(kSoundFile));
    if (QFileInfo(path).isFile() && services_.sound.playWav(path))
        return;
    services_.sound.beep();
}

// The track bar's position as the window's opacity, never below the floor: a window that cannot
// be seen cannot be found again.
double TFAlerting::ShownOpacity(int position) {
    return std::max(position, kOpacityFloor) / 255.0;
}

void TFAlerting::chk2Click(bool checked) {
    if (checked) {
        const QSignalBlocker quiet(trackBar1_);
        trackBar1_->setValue(kStartOpacity);
        trackBar1_->setSelection(trackBar1_->minimum(), kStartOpacity);
        setWindowOpacity(ShownOpacity(kStartOpacity));
        pnl2_->show();
    } else {
        setWindowOpacity(1.0);
        pnl2_->hide();
    }
}

void TFAlerting::TrackBar1Change(int value) {
    if (chk2_->isChecked())
        setWindowOpacity(ShownOpacity(value));
    trackBar1_->setSelection(trackBar1_->minimum(), value);
}

void TFAlerting::refreshActionFrame() {
    const QString caption = hooks_.gregorianCaption ? hooks_.gregorianCaption() : QString();
    grp2_->setTitle(QStringLiteral("当前时间 [") + caption + QLatin1Char(']'));
}

void TFAlerting::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

void TFAlerting::showEvent(QShowEvent* event) {
    refreshActionFrame();
    QWidget::showEvent(event);
}

bool TFAlerting::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grp1_ && event->type() == QEvent::MouseButtonDblClick) {
        grp1DblClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace qj
