#include "editor/PdfFile.h"

#include "common/DurableFile.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace qj {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\f' || c == '\0';
}

// The decimal number at `at` (after blanks); -1 when there is none. `at` moves past it.
qint64 NumberAt(QByteArrayView pdf, qsizetype& at) {
    while (at < pdf.size() && IsSpace(pdf[at]))
        ++at;
    qint64 value = -1;
    while (at < pdf.size() && pdf[at] >= '0' && pdf[at] <= '9' && value < (qint64(1) << 50))
        value = (value < 0 ? 0 : value * 10) + (pdf[at++] - '0');
    return value;
}

bool StartsWithAt(QByteArrayView pdf, qint64 at, QByteArrayView text) {
    return at >= 0 && at <= pdf.size() - text.size() && pdf.sliced(at, text.size()) == text;
}

// True when the object `number` starts at `offset` ("<number> <generation> obj").
bool ObjectStartsAt(QByteArrayView pdf, qint64 offset, qint64 number) {
    if (offset < 0 || offset >= pdf.size())
        return false;
    qsizetype at = offset;
    if (NumberAt(pdf, at) != number || NumberAt(pdf, at) < 0)
        return false;
    while (at < pdf.size() && IsSpace(pdf[at]))
        ++at;
    return StartsWithAt(pdf, at, "obj");
}

} // namespace

bool PdfIsWhole(QByteArrayView pdf) {
    qsizetype end = pdf.size();
    while (end > 0 && IsSpace(pdf[end - 1]))
        --end;
    if (!StartsWithAt(pdf, 0, "%PDF-") || end < 5 || pdf.sliced(end - 5, 5) != QByteArrayView("%%EOF"))
        return false;
    const qsizetype keyword = pdf.first(end).lastIndexOf(QByteArrayView("startxref"));
    if (keyword < 0)
        return false;
    qsizetype at = keyword + 9;
    const qint64 xref = NumberAt(pdf, at);
    if (!StartsWithAt(pdf, xref, "xref"))
        return false;
    at = static_cast<qsizetype>(xref) + 4;
    int sections = 0;
    // Subsections "first count" of 20-byte entries "offset generation n|f".
    while (true) {
        qsizetype probe = at;
        const qint64 first = NumberAt(pdf, probe);
        if (first < 0)
            break;
        const qint64 count = NumberAt(pdf, probe);
        if (count < 0)
            return false;
        at = probe;
        for (qint64 i = 0; i < count; ++i) {
            const qint64 offset = NumberAt(pdf, at);
            const qint64 generation = NumberAt(pdf, at);
            while (at < pdf.size() && IsSpace(pdf[at]))
                ++at;
            if (offset < 0 || generation < 0 || at >= pdf.size())
                return false;
            const char kind = pdf[at++];
            if (kind == 'n' && !ObjectStartsAt(pdf, offset, first + i))
                return false;
            if (kind != 'n' && kind != 'f')
                return false;
        }
        ++sections;
    }
    return sections > 0 && pdf.sliced(at).trimmed().startsWith("trailer");
}

QString CommitPrintedPdf(const QString& temporary, const QString& path) {
    QFile printed(temporary);
    QString failure;
    if (!printed.open(QIODevice::ReadOnly))
        failure = QStringLiteral("打印出的文件无法读取");
    else if (!PdfIsWhole(printed.readAll()))
        failure = QStringLiteral("文件没有完整写入（磁盘可能已满或出错）");
    printed.close();
    if (!failure.isEmpty()) {
        QFile::remove(temporary);
        return failure;
    }
    const int error = CommitTemporaryFile(QFile::encodeName(temporary).toStdString(),
                                          QFile::encodeName(path).toStdString());
    return error == 0 ? QString() : QString::fromStdString(FileErrorText(error));
}

} // namespace qj
