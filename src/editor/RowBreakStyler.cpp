#include "editor/RowBreakStyler.h"

#include "editor/RowBreaks.h"

#include <Qsci/qsciscintilla.h>

#include <QEvent>

#include <array>
#include <string_view>
#include <utility>
#include <vector>

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

constexpr const char* kName = "RowBreakStyler";

} // namespace

RowBreakStyler::RowBreakStyler(Sci* editor, std::function<int()> columns)
    : QObject(editor), editor_(editor), columns_(std::move(columns)) {
    setObjectName(QString::fromLatin1(kName));
    editor_->SendScintilla(Sci::SCI_SETLEXER, Sci::SCLEX_CONTAINER);
    connect(editor_, &Sci::SCN_STYLENEEDED, this, [this](int position) { styleUpTo(position); });
    editor_->viewport()->installEventFilter(this);
    MatchLook(*editor_);
}

RowBreakStyler* RowBreakStyler::Of(Sci& editor) {
    return static_cast<RowBreakStyler*>(
        editor.findChild<QObject*>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly));
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

void RowBreakStyler::restyle() {
    editor_->SendScintilla(Sci::SCI_STARTSTYLING, 0UL, 0L);
}

// From the start of the first line not yet styled up to the end of the line holding `position`,
// line by line: the rows of a line depend on that line only.
void RowBreakStyler::styleUpTo(long position) {
    const int columns = columns_();
    const long firstLine =
        editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, editor_->SendScintilla(Sci::SCI_GETENDSTYLED));
    const long lastLine = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
    const auto* text = reinterpret_cast<const char*>(editor_->SendScintilla(Sci::SCI_GETCHARACTERPOINTER));
    std::vector<char> styles;
    for (long line = firstLine; line <= lastLine; ++line) {
        const long start = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        const long end = editor_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
        const long next =
            std::max(end, static_cast<long>(editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line + 1)));
        const std::string_view bytes(text + start, static_cast<size_t>(end - start));
        styles.assign(static_cast<size_t>(next - start), 0);
        char style = 0;
        size_t from = 0;
        for (size_t rowStart : RowStarts(bytes, columns)) {
            std::fill(styles.begin() + static_cast<std::ptrdiff_t>(from),
                      styles.begin() + static_cast<std::ptrdiff_t>(rowStart), style);
            style = static_cast<char>(style ^ kRowBreakStyle);
            from = rowStart;
        }
        std::fill(styles.begin() + static_cast<std::ptrdiff_t>(from), styles.end(), style);
        editor_->SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(start), 0L);
        editor_->SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<unsigned long>(styles.size()),
                               styles.data());
    }
}

bool RowBreakStyler::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == editor_->viewport())
        MatchLook(*editor_);
    return false;
}

} // namespace qj
