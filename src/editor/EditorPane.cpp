#include "editor/EditorPane.h"

#include "editor/CaretLineText.h"
#include "editor/ColumnWrap.h"
#include "editor/EditorText.h"
#include "editor/PrintCommands.h"

#include <Qsci/qsciscintilla.h>

#include <QVBoxLayout>

namespace qj {
namespace {

QsciScintilla* PlainNoteEditor() {
    auto* editor = new QsciScintilla;
    editor->setUtf8(true);
    editor->setEolMode(QsciScintilla::EolWindows);
    ConfigureNoteEditor(*editor);
    return editor;
}

} // namespace

EditorPane::EditorPane(QsciScintilla* editor, EditorHooks hooks, std::function<PrintTexts()> printTexts,
                       QWidget* parent)
    : QWidget(parent), editor_(editor ? editor : PlainNoteEditor()) {
    setObjectName(QStringLiteral("EditorPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(editor_);
    wrap_ = new ColumnWrap(editor_);
    meter_ = new CaretLineMeter(editor_);
    QWidget* dialogParent = hooks.dialogParent;
    Dialogs& dialogs = hooks.dialogs;
    Clock& clock = hooks.clock;
    commands_ = new EditorCommands(editor_, std::move(hooks), this);
    printing_ = new PrintCommands(editor_, dialogs, clock, dialogParent, std::move(printTexts), this);
    connect(commands_, &EditorCommands::optionsChanged, this, [this](const EditorOptions& options) {
        wrap_->setEdgeColumn(options.edgeColumn);
        wrap_->setWrapColumn(options.edgeColumn);
        emit optionsChanged(options);
    });
}

EditorPane::~EditorPane() = default;

void EditorPane::applyLook(const PaneLook& look) {
    editor_->setFont(look.font);
    editor_->setColor(look.text);
    editor_->setPaper(look.paper);
    editor_->setCaretLineVisible(true);
    editor_->setCaretLineBackgroundColor(look.lineBack);
    CaretLineText::of(editor_)->setColour(look.lineText);
    wrap_->refresh();
}

void EditorPane::applyOptions(const EditorOptions& options) {
    commands_->setOptions(options);
    if (options.edgeColumn != EditorOptions{}.edgeColumn) {
        wrap_->setEdgeColumn(options.edgeColumn);
        wrap_->setWrapColumn(options.edgeColumn);
    }
    wrap_->refresh();
}

void EditorPane::setWrapSwitch(bool on) {
    if (on) {
        wrap_->setWrapColumn(kSwitchColumn);
        wrap_->setEdgeColumn(kSwitchColumn);
    }
    wrap_->setEnabled(on);
}

void EditorPane::followEdge() {
    wrap_->setWrapColumn(wrap_->edgeColumn());
}

} // namespace qj
