#include "divination/ui/bgmap.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

namespace qj {

TBaGuaMap::TBaGuaMap(QWidget* parent) : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("BaGuaMap"));
    setWindowTitle(QStringLiteral("后天八卦图"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kPictureSize);
    setCursor(Qt::PointingHandCursor);
}

// The picture for the screen's pixel ratio: the icon resources hold it at 1× and 2×.
QPixmap TBaGuaMap::picture() const {
    return QIcon(QStringLiteral(":/icons/baguaLater.png")).pixmap(kPictureSize, devicePixelRatioF());
}

void TBaGuaMap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(250, 241, 222));
    const QPixmap pixmap = picture();
    if (!pixmap.isNull())
        painter.drawPixmap(rect(), pixmap);
}

void TBaGuaMap::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    close();
}

} // namespace qj
