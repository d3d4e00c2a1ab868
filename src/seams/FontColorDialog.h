#pragma once
// The font dialog of the real dialogs: Qt's font chooser (face, style, size, effects, sample) with a
// button for the text colour below it, which opens the colour dialog and shows the chosen colour on
// its swatch and in the sample.

#include "seams/Dialogs.h"

#include <QDialog>

class QFontDialog;
class QLineEdit;
class QPushButton;

namespace qj {

class FontColorDialog final : public QDialog {
public:
    FontColorDialog(const FontChoice& initial, const QString& caption, QWidget* parent = nullptr);

    FontChoice choice() const;
    // Sets the text colour as the colour button does after its dialog was confirmed.
    void setTextColor(const QColor& color);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseColor();

    QFontDialog* fonts_ = nullptr;
    QPushButton* colorButton_ = nullptr;
    QLineEdit* sample_ = nullptr; // the chooser's sample line, when it has one
    QColor color_;
};

} // namespace qj
