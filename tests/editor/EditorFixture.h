#pragma once
// A note editor as the program sets it up: the editor pane (QScintilla with the program's look, its
// column wrap, commands and printing), shown offscreen in the program's Song face, so that pixel
// widths and wrapping are real.

#include "editor/ColumnWrap.h"
#include "editor/EditorLook.h"
#include "editor/EditorPane.h"
#include "support/FakeClock.h"
#include "support/RecordingLauncher.h"
#include "support/ScriptedDialogs.h"

#include <Qsci/qsciscintilla.h>

#include <gtest/gtest.h>

#include <memory>

namespace qj::test {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;

    // What the pane's commands are given: the test's dialogs, clock and launcher; the read-only
    // switch sets the editor's state.
    virtual EditorHooks paneHooks();
    // The page header's title and version.
    virtual PrintTexts printTexts() {
        return {QStringLiteral("青简札记"), QStringLiteral("版本: V1.2.12.41")};
    }

    // Replaces the text as a load (no undo step) and puts the caret at the start.
    void load(const QString& text);
    // The display line (counted from 0 within its document line) that holds character `index` of
    // document line `line`.
    int subLineOf(int line, int index);
    void resizeTo(int width);

    ScriptedDialogs dialogs;
    FakeClock clock;
    RecordingLauncher launcher;
    std::unique_ptr<EditorPane> pane;
    QsciScintilla* editor = nullptr;
    ColumnWrap* wrap = nullptr;
};

} // namespace qj::test
