#pragma once

#include <QObject>

namespace qj {

// The program's tooltips: pale yellow RGB(255,255,193) and shown for 100 seconds, long enough to
// read the longest hint. Installed once on the application while its owner lives.
class ToolTipLook : public QObject {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 100000;

    explicit ToolTipLook(QObject* owner);
    ~ToolTipLook() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qj
