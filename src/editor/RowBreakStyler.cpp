#include "editor/RowBreakStyler.h"

#include "editor/RowBreaks.h"
#include "editor/RowPieces.h"

#include <Qsci/qsciscintilla.h>

#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
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
    // A typed key's line is styled as the key changes it, before Scintilla wraps the line to place
    // the caret: else a long line is laid out once with the old styles and once with the new.
    connect(editor_, &Sci::SCN_MODIFIED, this, [this](int position, int type, const char*, int length) {
        if (typing_ && (type & (Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT)) != 0)
            styleUpTo(position + ((type & Sci::SC_MOD_INSERTTEXT) != 0 ? length : 0));
    });
    viewport_ = editor_->viewport();
    viewport_->installEventFilter(this);
    editor_->installEventFilter(this);
    MatchLook(*editor_);
}

RowBreakStyler* RowBreakStyler::Of(Sci& editor) {
    return static_cast<RowBreakStyler*>(
        editor.findChild<QObject*>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly));
}

void RowBreakStyler::MatchLook(Sci& editor) {
    bool changed = false;
    const QByteArray font = FontOf(editor, 0);
    for (int style = 1; style < kPieceStyles; ++style) {
        const auto number = static_cast<unsigned long>(style);
        for (const auto& [get, set] : kLook) {
            const long value = editor.SendScintilla(get, 0UL);
            if (editor.SendScintilla(get, number) != value) {
                editor.SendScintilla(set, number, value);
                changed = true;
            }
        }
        if (FontOf(editor, style) != font) {
            editor.SendScintilla(Sci::SCI_STYLESETFONT, number, font.constData());
            changed = true;
        }
    }
    if (changed)
        editor.viewport()->update();
}

void RowBreakStyler::setWrapAtColumn(bool atColumn) {
    if (atColumn == wrapAtColumn_)
        return;
    wrapAtColumn_ = atColumn;
    restyle();
}

void RowBreakStyler::restyle() {
    editor_->SendScintilla(Sci::SCI_STARTSTYLING, 0UL, 0L);
}

// From the first line not yet styled up to the end of the line holding `position`, line by line:
// the rows of a line depend on that line only. In the first line, the rows that end well before
// the first byte not yet styled keep their styles: the text before that byte is as it was styled.
void RowBreakStyler::styleUpTo(long position) {
    const int columns = columns_();
    const int slack = slackColumns();
    const long endStyled = editor_->SendScintilla(Sci::SCI_GETENDSTYLED);
    const long firstLine = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, endStyled);
    const long lastLine = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, position);
    const auto* text = reinterpret_cast<const char*>(editor_->SendScintilla(Sci::SCI_GETCHARACTERPOINTER));
    for (long line = firstLine; line <= lastLine; ++line) {
        const long start = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line);
        const long end = editor_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, line);
        const long next =
            std::max(end, static_cast<long>(editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, line + 1)));
        const std::string_view bytes(text + start, static_cast<size_t>(end - start));
        const std::vector<size_t> rows = RowStarts(bytes, columns);
        // A row start is settled once the characters up to the start after next are read: keep
        // the rows whose next two starts lie before the first byte not yet styled.
        size_t fromRow = 0;
        if (line == firstLine) {
            const auto unstyled = static_cast<size_t>(endStyled - start);
            const auto settled =
                static_cast<size_t>(std::lower_bound(rows.begin(), rows.end(), unstyled) - rows.begin());
            fromRow = settled >= 2 ? settled - 2 : 0;
        }
        const long from = start + (fromRow == 0 ? 0 : static_cast<long>(rows[fromRow - 1]));
        const int styleBefore =
            fromRow == 0 ? -1 : static_cast<int>(editor_->SendScintilla(Sci::SCI_GETSTYLEAT, from - 1));
        std::vector<char> styles = PieceStylesFrom(bytes, rows, columns, slack, fromRow, styleBefore);
        if (fromRow == 0)
            keepMeasured(styles);
        // The line break goes with the last piece.
        styles.resize(static_cast<size_t>(next - from), styles.empty() ? 0 : styles.back());
        editor_->SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(from), 0L);
        editor_->SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<unsigned long>(styles.size()),
                               styles.data());
    }
}

// How many columns Scintilla may reach past the columns the rows are counted in before it gives
// up a row: none for a face whose characters are as wide as their columns. A face whose
// characters fall short of their columns lets Scintilla look further; far enough, and the pieces
// end at the row starts only.
int RowBreakStyler::slackColumns() {
    QByteArray face;
    for (int style : {0, static_cast<int>(Sci::STYLE_DEFAULT)})
        face += FontOf(*editor_, style) + '/' +
                QByteArray::number(editor_->SendScintilla(Sci::SCI_STYLEGETSIZEFRACTIONAL,
                                                          static_cast<unsigned long>(style))) +
                '/';
    if (face == measuredFace_)
        return wrapAtColumn_ ? slack_ : -1;
    measuredFace_ = face;
    auto width = [this](int style, const QByteArray& sample) {
        return static_cast<double>(editor_->SendScintilla(
            Sci::SCI_TEXTWIDTH, static_cast<unsigned long>(style), sample.constData()));
    };
    constexpr int kRepeat = 16; // for a width finer than a pixel
    // The column as the wrap width counts it (ColumnWrap).
    const double cell = width(Sci::STYLE_DEFAULT, QByteArray(kRepeat, ' ')) / kRepeat;
    std::vector<DrawnWidth> samples;
    auto sample = [&](const QByteArray& character, int columnsWide) {
        samples.push_back({width(0, character.repeated(kRepeat)) / kRepeat, columnsWide});
    };
    for (char c = ' '; c <= '~'; ++c)
        sample(QByteArray(1, c), 1);
    for (const char* wide : {"中", "，", "。", "“", "…"})
        sample(QByteArray(wide), 2);
    slack_ = SlackColumns(cell, samples, columns_());
    restyle();
    return wrapAtColumn_ ? slack_ : -1;
}

// Scintilla keeps a fixed number of measured pieces: room for every piece of the longest line.
void RowBreakStyler::keepMeasured(const std::vector<char>& styles) {
    size_t pieces = 0;
    for (size_t i = 1; i < styles.size(); ++i)
        pieces += styles[i] != styles[i - 1];
    constexpr size_t kMostKept = size_t{1} << 18;
    size_t wanted = measuredKept_;
    while (wanted < std::min(2 * pieces, kMostKept))
        wanted *= 2;
    if (wanted != measuredKept_) {
        measuredKept_ = wanted;
        editor_->SendScintilla(Sci::SCI_SETPOSITIONCACHE, static_cast<unsigned long>(wanted));
    }
}

bool RowBreakStyler::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == viewport_) {
        MatchLook(*editor_);
        slackColumns(); // a new face styles the text again
    } else if (watched == editor_ && !typing_ &&
               (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod)) {
        // Until the key has been handled.
        typing_ = true;
        QTimer::singleShot(0, this, [this] { typing_ = false; });
    }
    return false;
}

} // namespace qj
