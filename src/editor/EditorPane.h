#pragma once
// The note editor with everything around it: the editor widget in a frame of its own, its column
// wrap and right edge, the caret line's width read-out, its commands and menus, printing, and the
// look (font and colours) and options it is drawn with. The main window places one; the tests,
// the benchmarks and the command line's PDF export build the same pane.

#include "editor/EditorCommands.h"
#include "editor/NotePrinter.h"

#include <QColor>
#include <QFont>
#include <QWidget>

#include <functional>

class QsciScintilla;

namespace qj {

class CaretLineMeter;
class ColumnWrap;
class PrintCommands;

// What the editor is drawn with.
struct PaneLook {
    QFont font;
    QColor text = Qt::black;
    QColor paper = Qt::white;
    QColor lineText = Qt::blue;                 // the caret line's text
    QColor lineBack = QColor(0xff, 0xff, 0xe1); // the caret line's background
};

class EditorPane : public QWidget {
    Q_OBJECT
public:
    // The column the wrap switch wraps at and shows the right edge at.
    static constexpr int kSwitchColumn = 80;

    // Takes `editor` into the pane (null: the pane makes a plain note editor, UTF-8 with CR LF
    // lines and the program's look) and builds its tools. `printTexts` gives the page header's
    // title and version, read afresh for every page.
    EditorPane(QsciScintilla* editor, EditorHooks hooks, std::function<PrintTexts()> printTexts,
               QWidget* parent = nullptr);
    ~EditorPane() override;

    QsciScintilla* editor() const { return editor_; }
    ColumnWrap* columnWrap() const { return wrap_; }
    CaretLineMeter* caretLineMeter() const { return meter_; }
    EditorCommands* commands() const { return commands_; }
    PrintCommands* printing() const { return printing_; }

    // Draws the text with `look`, the caret line shown in its colours.
    void applyLook(const PaneLook& look);
    // The options dialog's choices; a right edge other than the default also moves the wrap column.
    void applyOptions(const EditorOptions& options);
    // The wrap switch: on, the right edge shows and the text wraps, both at kSwitchColumn (also
    // when the edge had been dragged elsewhere); off, neither shows and the columns keep their
    // values.
    void setWrapSwitch(bool on);
    // The wrap column follows the right edge the user may have dragged (a mouse move).
    void followEdge();

signals:
    // The user confirmed the options dialog (the pane has applied the options).
    void optionsChanged(const EditorOptions& options);

private:
    QsciScintilla* editor_;
    ColumnWrap* wrap_;
    CaretLineMeter* meter_;
    EditorCommands* commands_;
    PrintCommands* printing_;
};

} // namespace qj
