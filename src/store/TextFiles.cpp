#include "store/TextFiles.h"

#include "common/DurableFile.h"
#include "common/TextDecode.h"
#include "store/StoreError.h"
#include "text/Addresses.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace qj {

namespace {

bool IsBlankLine(const QString& line) {
    for (QChar c : line)
        if (c.unicode() > 0x20 && c.unicode() != 0x7F && c.category() != QChar::Other_Control)
            return false;
    return true;
}

void AppendEscaped(std::string& out, const QString& text, qsizetype from, qsizetype to) {
    for (qsizetype i = from; i < to; ++i) {
        char32_t cp = text[i].unicode();
        if (QChar::isHighSurrogate(cp) && i + 1 < to && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        switch (cp) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            if (cp >= 256)
                out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
            else
                out.push_back(static_cast<char>(cp));
        }
    }
}

} // namespace

QString LineBreakText(LineBreak style) {
    switch (style) {
    case LineBreak::Lf:
        return QStringLiteral("\n");
    case LineBreak::Cr:
        return QStringLiteral("\r");
    case LineBreak::CrLf:
        break;
    }
    return QStringLiteral("\r\n");
}

QStringList EditorLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QString EditorTextOf(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

LoadedText DecodeLoadedText(const std::string& bytes) {
    const QString text = QString::fromStdString(DecodeTextFile(bytes));
    LoadedText loaded;
    const bool cr = text.contains(QLatin1Char('\r'));
    const bool lf = text.contains(QLatin1Char('\n'));
    loaded.style = cr && !lf ? LineBreak::Cr : (lf && !cr ? LineBreak::Lf : LineBreak::CrLf);
    loaded.lines = EditorLines(text);
    while (!loaded.lines.isEmpty() && IsBlankLine(loaded.lines.back()))
        loaded.lines.removeLast();
    return loaded;
}

qsizetype LongestLine(const QStringList& lines) {
    qsizetype longest = 0;
    for (const QString& line : lines)
        longest = std::max(longest, line.size());
    return longest;
}

QStringList BrokenLongLines(const QStringList& lines, qsizetype most) {
    QStringList out;
    out.reserve(lines.size());
    for (const QString& line : lines) {
        qsizetype at = 0;
        while (line.size() - at > most) {
            qsizetype cut = at + most;
            if (line.at(cut - 1).isHighSurrogate() && line.at(cut).isLowSurrogate())
                --cut;
            out << line.mid(at, cut - at);
            at = cut;
        }
        out << line.mid(at);
    }
    return out;
}

LoadedText ReadTextFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        throw StoreError(QStringLiteral("找不到文件 %1").arg(path));
    if (info.isDir())
        throw StoreError(QStringLiteral("%1 是文件夹，不是文本文件").arg(path));
    if (info.size() > kMaxImportBytes)
        throw StoreError(QStringLiteral("文件 %1 太大（超过 100 MB），不能读入编辑器").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("无法读取文件 %1：%2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw StoreError(QStringLiteral("无法读取文件 %1：%2").arg(path, file.errorString()));
    return DecodeLoadedText(bytes.toStdString());
}

std::string EncodeGbk(const QString& text) {
    return EncodeText(text.toStdString(), TextEncoding::Gbk);
}

std::string ExportTextBytes(const QString& editorText, LineBreak style) {
    return EncodeGbk(EditorLines(editorText).join(LineBreakText(style)));
}

std::vector<HtmlRun> HighlighterRuns(const QString& text) {
    std::vector<HtmlRun> runs;
    for (const TextRun& r : HighlightRuns(text))
        runs.push_back({r.start, r.length, QString::fromLatin1(RunClassName(r.kind))});
    return runs;
}

std::string ExportHtmlBytes(const QString& editorText, const HtmlRunsFunction& runs, int fontPoints,
                            const QString& fontName) {
    const QString body = EditorTextOf(EditorLines(editorText));
    std::string out = "<pre>\r\n<code><span style=\"font: " + std::to_string(fontPoints) + "pt " +
                      fontName.toStdString() + ";\">";
    qsizetype at = 0;
    for (const HtmlRun& run : runs ? runs(body) : std::vector<HtmlRun>{}) {
        const qsizetype start = std::max(run.start, at);
        const qsizetype end = std::min(run.start + run.length, body.size());
        if (end <= start)
            continue;
        AppendEscaped(out, body, at, start);
        if (run.cssClass.isEmpty()) {
            AppendEscaped(out, body, start, end);
        } else {
            out += "<span class=\"" + run.cssClass.toStdString() + "\">";
            AppendEscaped(out, body, start, end);
            out += "</span>";
        }
        at = end;
    }
    AppendEscaped(out, body, at, body.size());
    out += "</span>\r\n</code></pre>\r\n";
    return out;
}

QString HtmlFileName(const QString& chosen) {
    return QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".html") : chosen;
}

void WriteFileBytes(const QString& path, const std::string& bytes) {
    const int failure = WriteFileDurably(QFile::encodeName(path).toStdString(), bytes);
    if (failure != 0)
        throw StoreError(
            QStringLiteral("无法写入文件 %1：%2").arg(path, QString::fromStdString(FileErrorText(failure))));
}

QString TextAfterDrop(const QString& editorText, const std::vector<DroppedFile>& files) {
    QStringList lines = EditorLines(editorText);
    QString pasted;
    for (size_t i = 0; i < files.size(); ++i) {
        if (files.size() > 1)
            lines << QStringLiteral("-------- %1 -------").arg(i + 1);
        lines << files[i].path << QStringLiteral(" ");
        pasted += QStringLiteral("\r\n") + EditorTextOf(lines);
        lines = files[i].lines;
        lines << QStringLiteral(" ");
    }
    return pasted + EditorTextOf(lines);
}

} // namespace qj
