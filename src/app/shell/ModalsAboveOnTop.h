#pragma once
// A window that stays on top of the others (the timed alert) would hide every modal box opened
// while it is shown: the box waits unseen for an answer and the program looks frozen. A modal box
// shown while such a window is visible stays on top as well.

#include <QObject>

namespace qj {

class ModalsAboveOnTop : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace qj
