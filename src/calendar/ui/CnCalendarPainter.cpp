#include "calendar/ui/CnCalendarPainter.h"

#include "calendar/core/MonthGrid.h"
#include "calendar/ui/CnCalendar.h"

#include <QFontInfo>
#include <QPainter>

#include <algorithm>

#include <optional>

namespace qj {

namespace {

struct ColourRule {
    CellColour rule;
    std::optional<QColor> text; // none: the cell's ordinary text colour
    std::optional<QColor> fill; // none: the ground shows through (or the selection colour)
};

const ColourRule kColourRules[] = {
    {CellColour::Plain, std::nullopt, std::nullopt},
    {CellColour::NewMoon, QColor(255, 0, 255), std::nullopt},
    {CellColour::Term, QColor(0, 0, 255), std::nullopt},
    {CellColour::Sunday, QColor(255, 0, 0), QColor(255, 238, 238)},
    {CellColour::Saturday, QColor(0, 128, 0), QColor(236, 255, 236)},
    {CellColour::Today, QColor(255, 0, 0), QColor(255, 255, 208)},
};

const ColourRule& RuleFor(CellColour colour) {
    for (const ColourRule& rule : kColourRules)
        if (rule.rule == colour)
            return rule;
    return kColourRules[0];
}

// The corner marks of holiday days: their own small letters, over the cell's colours.
const QColor kRestMark(204, 0, 0);
const QColor kWorkMark(96, 96, 96);
constexpr double kMarkShare = 0.6; // of the cell font's pixel size

void PaintHolidayMark(QPainter& painter, const QRect& cell, const QFont& cellFont, DayOff kind) {
    QFont font = cellFont;
    font.setPixelSize(std::max(8, int(QFontInfo(cellFont).pixelSize() * kMarkShare + 0.5)));
    painter.setFont(font);
    painter.setPen(kind == DayOff::Rest ? kRestMark : kWorkMark);
    painter.drawText(cell.adjusted(0, 1, -2, 0), Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromUtf8(DayOffText(kind).data(), qsizetype(DayOffText(kind).size())));
}

const QColor kReminderMark(0, 128, 128);

// The corner mark of a day with a 纪念日: a small 纪 in the top left corner.
void PaintReminderMark(QPainter& painter, const QRect& cell, const QFont& cellFont) {
    QFont font = cellFont;
    font.setPixelSize(std::max(8, int(QFontInfo(cellFont).pixelSize() * kMarkShare + 0.5)));
    painter.setFont(font);
    painter.setPen(kReminderMark);
    painter.drawText(cell.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QStringLiteral("纪"));
}

QColor Blend(const QColor& ground, const QColor& tint, double share) {
    auto mix = [share](int a, int b) { return int(a + (b - a) * share + 0.5); };
    return QColor(mix(ground.red(), tint.red()), mix(ground.green(), tint.green()),
                  mix(ground.blue(), tint.blue()));
}

} // namespace

CnCalendarPainter::CnCalendarPainter(TCnCalendar& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

void CnCalendarPainter::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QRect r = option.rect;
    const QPalette& palette = grid_.palette();
    painter->save();
    painter->setClipRect(r);
    painter->setFont(option.font);

    QColor text = palette.color(QPalette::Text);
    std::optional<QColor> fill;
    bool selected = false;
    if (index.row() == 0) {
        text = palette.color(QPalette::ButtonText);
    } else {
        // The current cell is the selected one. It is drawn on a light tint of the selection colour
        // with a frame, so that the coloured texts (new moon, term, today) stay readable on it.
        selected = index == grid_.currentIndex() && !grid_.CellDayText(index.column(), index.row()).isEmpty();
        if (selected)
            fill = Blend(palette.color(QPalette::Base), palette.color(QPalette::Highlight), 0.3);
        const DayCellLook look = DayCell(grid_.Year(), grid_.Month(), grid_.StartOfWeek(), index.column(),
                                         index.row(), grid_.Today());
        const ColourRule& rule = RuleFor(look.Winning(selected));
        if (rule.text)
            text = *rule.text;
        if (rule.fill)
            fill = rule.fill;
    }
    if (fill)
        painter->fillRect(r, *fill);
    if (selected) {
        painter->setPen(QPen(palette.color(QPalette::Highlight), 2));
        painter->drawRect(r.adjusted(1, 1, -1, -1));
    }
    painter->setPen(text);
    painter->drawText(r, Qt::AlignCenter | Qt::TextSingleLine, index.data(Qt::DisplayRole).toString());
    if (const HolidayDay* holiday = grid_.CellHoliday(index.column(), index.row()))
        PaintHolidayMark(*painter, r, option.font, holiday->kind);
    if (grid_.CellHasReminder(index.column(), index.row()))
        PaintReminderMark(*painter, r, option.font);
    painter->restore();
}

} // namespace qj
