#pragma once

#include <QFrame>

class QCheckBox;
class QToolButton;

namespace qj {

// The note title bar "Panel3": 22 pixels high, bold text left-aligned with a 10-pixel border,
// blue while the note text is clean and red while it is dirty. It holds the read-only check box
// "chk1" ("只读") at its left and the flat button "btn10" (136 wide, hint "资料编辑操作")
// at its right; the menu of btn10 belongs to the editor tools.
class NoteTitleBar : public QFrame {
    Q_OBJECT
public:
    explicit NoteTitleBar(QWidget* parent = nullptr);

    // Seventeen blanks, "【", the title and "】".
    static QString textFor(const QString& title);
    void setTitle(const QString& title);
    void setText(const QString& text);
    QString text() const;
    void clear();

    void setDirty(bool dirty); // red when dirty, blue otherwise
    QColor textColour() const;

    QCheckBox* readOnlyBox() const;
    QToolButton* toolsButton() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString text_;
    QColor colour_;
    QCheckBox* chk1_;
    QToolButton* btn10_;
};

} // namespace qj
