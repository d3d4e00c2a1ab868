#pragma once
// A panel with a one-line caption beside the controls it holds: the calendar window's clock line,
// festival bar and pillar caption. The controls sit on the left, the caption fills the rest,
// aligned as asked. Double-clicking the panel emits doubleClicked.

#include <QFrame>

class QHBoxLayout;
class QLabel;

namespace qj {

class CaptionPanel : public QFrame {
    Q_OBJECT
public:
    // A caption that must be read whole (`wholeCaption`) makes the panel as wide as it needs;
    // otherwise a long caption is cut at the panel's edge.
    CaptionPanel(const QString& objectName, Qt::Alignment captionAlignment, bool wholeCaption,
                 QWidget* parent);

    QString caption() const;
    void setCaption(const QString& text);
    void setCaptionColour(const QColor& colour);
    void setGround(const QColor& colour);
    // Adds a control on the left, after the ones added before.
    void addControl(QWidget* control);
    // The space kept between the panel's edge and its contents.
    void setBorderWidth(int pixels);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QHBoxLayout* layout_;
    QLabel* caption_;
    int controls_ = 0;
};

} // namespace qj
