#pragma once

#include <QStyledItemDelegate>

namespace qj {

class NoteTreeWidget;

// Draws a note: its picture (chosen by level, children and selection each time it is drawn), its
// title, and while the tree has no keyboard focus a one-pixel outline in the font colour around
// the selected title instead of the highlight. Titles edited in place accept at most 50
// characters and go to the tree's titleEdited signal instead of straight into the item; titles
// that do not fit show as a tooltip.
class NoteTreeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit NoteTreeDelegate(NoteTreeWidget* tree);

    // The picture of a node, 0–6 (see store/TreePictures.h).
    static int pictureFor(const QModelIndex& index, bool selected);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    NoteTreeWidget* tree_;
};

} // namespace qj
