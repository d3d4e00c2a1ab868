#include "editor/RowBreakStyler.h"

#include "editor/RowBreaks.h"

#include <Qsci/qsciscintilla.h>

#include <QEvent>

#include <array>
#include <string_view>

namespace qj {
namespace {

using Sci = QsciScintilla;

// The style properties that decide how text looks and where it falls.
constexpr std::array<std::pair<int, int>, 9> kLook{{
    {Sci::SCI_STYLEGETSIZEFRACTIONAL, Sci::SCI_STYLESETSIZEFRACTIONAL},
    {Sci::SCI_STYLEGETWEIGHT, Sci::SCI_STYLESETWEIGHT},
    {Sci::SCI_STYLEGETITALIC, Sci::SCI_STYLESETITALIC},
    {Sci::SCI_STYLEGETUNDERLINE, Sci::SCI_STYLESETUNDERLINE},
    {Sci::SCI_STYLEGETFORE, Sci::SCI_STYLESETFORE},
    {Sci::SCI_STYLEGETBACK, Sci::SCI_STYLESETBACK},
    {Sci::SCI_STYLEGETCHARACTERSET, Sci::SCI_STYLESETCHARACTERSET},
    {Sci::SCI_STYLEGETEOLFILLED, Sci::SCI_STYLESETEOLFILLED},
    {Sci::SCI_STYLEGETCASE, Sci::SCI_STYLESETCASE},
}};

QByteArray FontOf(Sci& editor, int style) {
    QByteArray name(1024, '\0'); // Scintilla keeps font names far shorter
    editor.SendScintilla(Sci::SCI_STYLEGETFONT, static_cast<unsigned long>(style), name.data());
    return QByteArray(name.constData());
}

} // namespace

RowBreakStyler::RowBreakStyler(Sci* editor) : QObject(editor), editor_(editor) {
    setObjectName(QStringLiteral("RowBreakStyler"));
    editor_->SendScintilla(Sci::SCI_SETLEXER, Sci::SCLEX_CONTAINER);
    connect(editor_, &Sci::SCN_STYLENEEDED, this, [this](int position) { styleUpTo(position); });
    editor_->viewport()->installEventFilter(this);
    MatchLook(*editor_);
}

void RowBreakStyler::Attach(Sci& editor) {
    if (!editor.findChild<RowBreakStyler*>(QString(), Qt::FindDirectChildrenOnly))
        new RowBreakStyler(&editor);
}

void RowBreakStyler::MatchLook(Sci& editor) {
    bool changed = false;
    for (const auto& [get, set] : kLook) {
        const long value = editor.SendScintilla(get, 0UL);
        if (editor.SendScintilla(get, static_cast<unsigned long>(kRowBreakStyle)) != value) {
            editor.SendScintilla(set, static_cast<unsigned long>(kRowBreakStyle), value);
            changed = true;
        }
    }
    const QByteArray font = FontOf(editor, 0);
    if (FontOf(editor, kRowBreakStyle) != font) {
        editor.SendScintilla(Sci::SCI_STYLESETFONT, static_cast<unsigned long>(kRowBreakStyle),
                             font.constData());
        changed = true;
    }
    if (changed)
        editor.viewport()->update();
}

void RowBreakStyler::StyleAll(Sci& editor) {
    MatchLook(editor);
    editor.SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
}

// From the start of the first line not yet styled up to the end of the line holding `position`,
// line by line: a row break depends on the characters of its own line only.
void RowBreakStyler::styleUpTo(long position) {
    const long firstLine =
        editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, editor_->SendScintilla(Sci::SCI_GETENDSTYLED));
    const long lastLine = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
    const auto* text = reinterpret_cast<const char*>(editor_->SendScintilla(Sci::SCI_GETCHARACTERPOINTER));
    for (long line = firstLine; line <= lastLine; ++line) {
        const long start = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        const long end = editor_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
        const long next = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line + 1);
        std::vector<char> styles =
            RowBreakStyles(std::string_view(text + start, static_cast<size_t>(end - start)));
        styles.resize(static_cast<size_t>(std::max(next, end) - start), styles.empty() ? 0 : styles.back());
        editor_->SendScintilla(Sci::SCI_STARTSTYLING, start);
        editor_->SendScintilla(Sci::SCI_SETSTYLINGEX, styles.size(), styles.data());
    }
}

bool RowBreakStyler::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == editor_->viewport())
        MatchLook(*editor_);
    return false;
}

} // namespace qj
