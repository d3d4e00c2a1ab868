#pragma once

#include "store/NoteIds.h"

#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <optional>

namespace qj {

// The note tree "Tv1": one item per note record, the record's ID in column 0 under IdRole.
// It draws the seven note pictures, keeps the selection outlined while unfocused, edits titles in
// place (at most 50 characters), drags notes (Ctrl copies) and reports what the user did through
// signals; the Notebook controller turns them into record changes.
class NoteTreeWidget : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int IdRole = Qt::UserRole + 1;
    static constexpr int MaxTitleLength = 50;

    explicit NoteTreeWidget(QWidget* parent = nullptr);
    // Takes the items down without recursion (however deep the notes hang).
    ~NoteTreeWidget() override;

    static NoteId idOf(const QTreeWidgetItem* item);
    std::optional<NoteId> selectedId() const;
    QTreeWidgetItem* selectedItem() const;
    // Whether `dragged` may be dropped on `target` (null: empty space), as the notebook rules it.
    using DropRule = std::function<bool(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target)>;
    void setDropRule(DropRule rule) { dropRule_ = std::move(rule); }
    // The drag handling asks this: never over empty space, otherwise the drop rule (no rule: no
    // drop).
    bool canDrop(const QTreeWidgetItem* dragged, const QTreeWidgetItem* target) const;
    // The picture (0–6) the item is drawn with now: by level, children and selection.
    int pictureOf(QTreeWidgetItem* item) const;
    // Carries out a drop of `dragged` at `pos` (viewport coordinates): refused (false) over empty
    // space, the dragged node and its descendants; otherwise nodeDropped is emitted, as a copy when
    // Ctrl is among `modifiers`. The drop event of a drag within the tree ends here.
    bool dropAt(QTreeWidgetItem* dragged, const QPoint& pos, Qt::KeyboardModifiers modifiers);
    // The node shown as drop target while a node is dragged over it (null otherwise).
    QTreeWidgetItem* dropTarget() const { return dropTarget_; }
    // Whether titles are edited in place and notes dragged (not while the data file is read-only).
    void setNotesWritable(bool writable);
    // Brings the node's title into view, sideways too.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

signals:
    // Any mouse button pressed inside the tree (after the tree handled the press): Tv1MouseDown.
    void mousePressed(Qt::MouseButton button);
    void mouseReleased(Qt::MouseButton button);
    // The Delete key with a selected node and no title being edited.
    void deleteKeyPressed();
    // A title edited in place was accepted (already cut to 50 characters).
    void titleEdited(QTreeWidgetItem* item, const QString& title);
    // A dragged node was dropped on `target` (Ctrl held at the drop: copy).
    void nodeDropped(QTreeWidgetItem* dragged, QTreeWidgetItem* target, bool copy);
    void focusEntered();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override;
    bool viewportEvent(QEvent* event) override;

private:
    friend class NoteTreeDelegate;
    // The delegate hands an accepted title over while its editor is still open; titleEdited goes
    // out from the event loop once the editor has closed and the view is done with the key or
    // click that ended the edit, so that whatever the controller does to the items (a refused
    // write rebuilds them, a message box takes the focus) cannot pull the editor from under the view.
    void titleAccepted(const QModelIndex& index, const QString& title);
    void emitAcceptedTitle();
    void dragScrollTick();
    void setDropTarget(QTreeWidgetItem* target);

    DropRule dropRule_;
    QTreeWidgetItem* dragged_ = nullptr;
    QTreeWidgetItem* dropTarget_ = nullptr;
    QPoint dragPos_;
    QTimer dragScrollTimer_;
    QPersistentModelIndex acceptedIndex_;
    QString acceptedTitle_;
};

} // namespace qj
