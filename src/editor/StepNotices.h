#pragma once
// QScintilla spends time in proportion to a change's position in the text on every change notice
// it passes on (a megabyte costs about 50 ms a notice). A replace-all or its undo is thousands of
// small changes: told one by one they freeze the window for a minute. These helpers let such a
// batch pass on only its last notice, so the window hears one change whose position is the first
// place the batch touched.

class QsciScintilla;

namespace qj {

// While alive, the editor's change notices are held back (the text still changes, Scintilla's
// own layout and styling follow). The caller makes its last change after release().
class HeldNotices {
public:
    explicit HeldNotices(QsciScintilla& editor);
    ~HeldNotices();
    void release();
    HeldNotices(const HeldNotices&) = delete;
    HeldNotices& operator=(const HeldNotices&) = delete;

private:
    QsciScintilla& editor_;
    long mask_;
    bool held_ = true;
};

// Undo and redo of a group of many steps pass on the notice of the group's last step only (and
// the notices that come before each step, which cost nothing). Attached once per editor.
void QuietenUndoSteps(QsciScintilla& editor);

} // namespace qj
