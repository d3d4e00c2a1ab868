#include "editor/EditorText.h"

#include <Qsci/qsciscintilla.h>

#include <QFontMetricsF>
#include <QHash>

#include <cmath>
#include <memory>

namespace qj {

qsizetype OffsetOfPosition(QsciScintilla& editor, long position) {
    return editor.SendScintilla(QsciScintilla::SCI_COUNTCODEUNITS, 0UL, position);
}

long PositionOfOffset(QsciScintilla& editor, qsizetype offset) {
    const long length = editor.SendScintilla(QsciScintilla::SCI_GETLENGTH);
    if (offset <= 0)
        return 0;
    const long pos =
        editor.SendScintilla(QsciScintilla::SCI_POSITIONRELATIVECODEUNITS, 0UL, static_cast<long>(offset));
    // Past the end Scintilla answers 0.
    return pos == 0 ? length : pos;
}

qsizetype SelectionStartOffset(QsciScintilla& editor) {
    return OffsetOfPosition(editor, editor.SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART));
}

void SetCaretPosition(QsciScintilla& editor, long position) {
    editor.SendScintilla(QsciScintilla::SCI_GOTOPOS, position);
    editor.SendScintilla(QsciScintilla::SCI_CHOOSECARETX);
}

QFont EditorDisplayFont(QsciScintilla& editor) {
    const int style = QsciScintilla::STYLE_DEFAULT;
    QByteArray name(256, '\0');
    editor.SendScintilla(QsciScintilla::SCI_STYLEGETFONT, style, name.data());
    QFont font(QString::fromUtf8(name.constData()));
    const long hundredths = editor.SendScintilla(QsciScintilla::SCI_STYLEGETSIZEFRACTIONAL, style);
    if (hundredths > 0)
        font.setPointSizeF(hundredths / 100.0);
    // QScintilla keeps Qt's weight, negated.
    const long weight = std::labs(editor.SendScintilla(QsciScintilla::SCI_STYLEGETWEIGHT, style));
    if (weight >= 1 && weight <= 1000)
        font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(editor.SendScintilla(QsciScintilla::SCI_STYLEGETITALIC, style) != 0);
    return font;
}

TextMeasure EditorTextMeasure(QsciScintilla& editor) {
    auto metrics = std::make_shared<QFontMetricsF>(EditorDisplayFont(editor), editor.viewport());
    return [metrics](QStringView text) { return metrics->horizontalAdvance(text.toString()); };
}

TextMeasure EditorCharacterEstimate(QsciScintilla& editor) {
    struct Cache {
        QFontMetricsF metrics;
        QHash<char32_t, double> advances;
    };
    auto cache =
        std::make_shared<Cache>(Cache{QFontMetricsF(EditorDisplayFont(editor), editor.viewport()), {}});
    return [cache](QStringView character) {
        const char32_t key = character.size() > 1 && character[0].isHighSurrogate()
                                 ? QChar::surrogateToUcs4(character[0], character[1])
                                 : character[0].unicode();
        auto it = cache->advances.constFind(key);
        if (it == cache->advances.cend())
            it = cache->advances.insert(key, cache->metrics.horizontalAdvance(character.toString()));
        return *it;
    };
}

QString LineText(QsciScintilla& editor, int line) {
    QString text = editor.text(line);
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

int CaretLineWidth(QsciScintilla& editor) {
    int line = 0, index = 0;
    editor.getCursorPosition(&line, &index);
    return static_cast<int>(std::lround(EditorTextMeasure(editor)(LineText(editor, line))));
}

CaretLineMeter::CaretLineMeter(QsciScintilla* editor) : QObject(editor), editor_(editor) {
    connect(editor_, &QsciScintilla::textChanged, this, [this] { width_.reset(); });
}

int CaretLineMeter::width() {
    int line = 0, index = 0;
    editor_->getCursorPosition(&line, &index);
    const QString fontKey = EditorDisplayFont(*editor_).key();
    if (!width_ || line != line_ || fontKey != fontKey_) {
        width_ = CaretLineWidth(*editor_);
        line_ = line;
        fontKey_ = fontKey;
    }
    return *width_;
}

} // namespace qj
