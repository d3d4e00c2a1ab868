#pragma once
// A slider that also draws a selection range along its groove, as the opacity strip shows the
// part from its start up to the thumb.

#include <QSlider>

namespace qj {

class TrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TrackBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    // The range drawn highlighted, in slider values; nothing is drawn while start >= end.
    void setSelection(int start, int end);
    int selectionStart() const { return selectionStart_; }
    int selectionEnd() const { return selectionEnd_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int selectionStart_ = 0;
    int selectionEnd_ = 0;
};

} // namespace qj
