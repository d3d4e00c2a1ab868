#include "calendar/ui/DayExtraPanel.h"

#include "calendar/core/DayExtraText.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace qj {

namespace {

const QColor kCaptionColour(0, 0, 255);
const QColor kGround(255, 255, 240);
constexpr char kNothing[] = "—";

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

DayExtraPanel::DayExtraPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnlDayExtra"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette ground = palette();
    ground.setColor(QPalette::Window, kGround);
    setPalette(ground);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("pnlDayExtraTitle"));
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    grid->addWidget(title_, 0, 0, 1, 2);
    // The lines of any day, to make the labels once.
    const std::vector<ExtraLine> lines = DayExtraLines(EncodeDate(2000, 1, 1), 0, nullptr);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto* caption = new QLabel(Q(lines[i].caption), this);
        QPalette p = caption->palette();
        p.setColor(QPalette::WindowText, kCaptionColour);
        caption->setPalette(p);
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        caption->setToolTip(Q(lines[i].tip));
        auto* text = new QLabel(this);
        text->setObjectName(QStringLiteral("pnlDayExtra_") + caption->text());
        text->setWordWrap(true);
        text->setTextFormat(Qt::PlainText);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setToolTip(Q(lines[i].tip));
        grid->addWidget(caption, int(i) + 1, 0);
        grid->addWidget(text, int(i) + 1, 1);
        captions_.push_back(caption);
        texts_.push_back(text);
    }
    const int row = int(lines.size()) + 1;
    auto* caption = new QLabel(QStringLiteral("纪念日"), this);
    QPalette p = caption->palette();
    p.setColor(QPalette::WindowText, kCaptionColour);
    caption->setPalette(p);
    caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
    reminders_ = new QLabel(this);
    reminders_->setObjectName(QStringLiteral("pnlDayExtra_纪念日"));
    reminders_->setWordWrap(true);
    reminders_->setTextFormat(Qt::PlainText);
    reminders_->setToolTip(QStringLiteral("这一天的生日和纪念日（在“纪念日…”里添加）"));
    grid->addWidget(caption, row, 0);
    grid->addWidget(reminders_, row, 1);
    captions_.push_back(caption);
    texts_.push_back(reminders_);
    auto* button = new QPushButton(QStringLiteral("纪念日…"), this);
    button->setObjectName(QStringLiteral("btnReminders"));
    button->setToolTip(QStringLiteral("添加、修改、删除生日和纪念日，导出日历文件"));
    grid->addWidget(button, row + 1, 0, 1, 2, Qt::AlignLeft);
    connect(button, &QPushButton::clicked, this, &DayExtraPanel::remindersRequested);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row + 2, 1);
}

void DayExtraPanel::showDay(DateTimeValue date, int hourCount, const HolidayDay* holiday,
                            const QString& reminders) {
    const YearMonthDay ymd = DecodeDate(date);
    title_->setText(QStringLiteral("%1年%2月%3日 详情").arg(ymd.year).arg(ymd.month).arg(ymd.day));
    const std::vector<ExtraLine> lines = DayExtraLines(date, hourCount, holiday);
    for (std::size_t i = 0; i < lines.size() && i < texts_.size(); ++i)
        texts_[i]->setText(lines[i].text.empty() ? QString::fromUtf8(kNothing) : Q(lines[i].text));
    reminders_->setText(reminders.isEmpty() ? QString::fromUtf8(kNothing) : reminders);
}

QString DayExtraPanel::lineText(const QString& caption) const {
    for (std::size_t i = 0; i < captions_.size(); ++i)
        if (captions_[i]->text() == caption)
            return texts_[i]->text();
    return {};
}

} // namespace qj
