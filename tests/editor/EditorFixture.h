#pragma once
// A note editor as the program sets it up (QScintilla with the program's look), shown offscreen
// in the program's Song face, so that pixel widths and wrapping are real.

#include "editor/ColumnWrap.h"
#include "editor/EditorLook.h"

#include <Qsci/qsciscintilla.h>

#include <gtest/gtest.h>

#include <memory>

namespace qj::test {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Replaces the text as a load (no undo step) and puts the caret at the start.
    void load(const QString& text);
    // The display line (counted from 0 within its document line) that holds character `index` of
    // document line `line`.
    int subLineOf(int line, int index);
    void resizeTo(int width);

    std::unique_ptr<QsciScintilla> editor;
    ColumnWrap* wrap = nullptr;
};

} // namespace qj::test
