#include "editor/StepNotices.h"

#include <Qsci/qsciscintilla.h>

#include <QObject>

namespace qj {
namespace {

using Sci = QsciScintilla;

// The notices that still pass while an undo or redo runs: those before each step, and the one
// after the last step.
constexpr long kUndoMask = Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE | Sci::SC_LASTSTEPINUNDOREDO;
constexpr long kUndoOrRedo = Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO;

class UndoSteps : public QObject {
public:
    explicit UndoSteps(Sci* editor) : QObject(editor), editor_(editor) {
        setObjectName(QStringLiteral("UndoSteps"));
        connect(editor_, &Sci::SCN_MODIFIED, this,
                [this](int, int type, const char*, int, int added, int, int, int, int, int) {
                    notice(type, added);
                });
    }

private:
    void notice(long type, int added) {
        if (!(type & kUndoOrRedo))
            return;
        const bool before = type & (Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE);
        if (before && !quiet_) {
            quiet_ = true;
            mask_ = editor_->SendScintilla(Sci::SCI_GETMODEVENTMASK);
            lines_ = editor_->lines();
            editor_->SendScintilla(Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask_ & kUndoMask));
        } else if (!before && quiet_ && (type & Sci::SC_LASTSTEPINUNDOREDO)) {
            quiet_ = false;
            editor_->SendScintilla(Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask_));
            // The line count told with the last step is that step's only.
            if (editor_->lines() != lines_ && added == 0)
                emit editor_->linesChanged();
        }
    }

    Sci* editor_;
    bool quiet_ = false;
    long mask_ = Sci::SC_MODEVENTMASKALL;
    int lines_ = 0;
};

} // namespace

HeldNotices::HeldNotices(Sci& editor)
    : editor_(editor), mask_(editor.SendScintilla(Sci::SCI_GETMODEVENTMASK)) {
    editor_.SendScintilla(Sci::SCI_SETMODEVENTMASK, 0UL);
}

HeldNotices::~HeldNotices() {
    release();
}

void HeldNotices::release() {
    if (!held_)
        return;
    held_ = false;
    editor_.SendScintilla(Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask_));
}

void QuietenUndoSteps(Sci& editor) {
    if (!editor.findChild<QObject*>(QStringLiteral("UndoSteps"), Qt::FindDirectChildrenOnly))
        new UndoSteps(&editor);
}

} // namespace qj
