#include "EditorFixture.h"

#include "editor/EditorText.h"
#include "support/UiHelpers.h"

#include <QApplication>

namespace qj::test {

EditorHooks EditorTest::paneHooks() {
    EditorHooks hooks{dialogs, clock, launcher};
    hooks.appTitle = QStringLiteral("青简札记");
    hooks.setReadOnly = [this](bool on) { editor->setReadOnly(on); };
    return hooks;
}

void EditorTest::SetUp() {
    pane = std::make_unique<EditorPane>(nullptr, paneHooks(), [this] { return printTexts(); });
    editor = pane->editor();
    wrap = pane->columnWrap();
    QFont font(QStringLiteral("AR PL SungtiL GB"));
    font.setPointSize(12);
    editor->setFont(font);
    pane->resize(1000, 400);
    pane->show();
    QApplication::processEvents();
}

void EditorTest::load(const QString& text) {
    editor->setText(text);
    editor->SendScintilla(QsciScintilla::SCI_EMPTYUNDOBUFFER);
    SetCaretPosition(*editor, 0);
    QApplication::processEvents();
}

int EditorTest::subLineOf(int line, int index) {
    const long pos = editor->positionFromLineIndex(line, index);
    const long y = editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL, pos);
    const long y0 = editor->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0UL,
                                          editor->positionFromLineIndex(line, 0));
    const long height = editor->SendScintilla(QsciScintilla::SCI_TEXTHEIGHT, line);
    return static_cast<int>((y - y0) / height);
}

void EditorTest::resizeTo(int width) {
    pane->resize(width, 400);
    // The margin follows the resize from the event loop.
    QApplication::processEvents();
    QApplication::processEvents();
}

} // namespace qj::test
