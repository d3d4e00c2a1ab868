#pragma once

#include <QPixmap>
#include <QWidget>

namespace qj {

// The trigram picture "后天八卦图": the Later-Heaven arrangement of the eight trigrams, drawn at
// 251 × 249 (and twice that for high-DPI screens). A new window per command; a double-click on
// the picture closes it, and closing frees it.
class TBaGuaMap : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize kPictureSize{251, 249};

    explicit TBaGuaMap(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPixmap picture() const;
};

} // namespace qj
