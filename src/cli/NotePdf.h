#pragma once
// A note written as a PDF file by the same printing code as the window's "导出到 .pdf": the
// header with the program's caption and version, the footer with date, time and page n/N, the
// note font the window would use, the printing's margins and wrap. Needs a QApplication; makes one
// when there is none (offscreen when no display is set), so the text commands never need it.

#include <QString>

namespace qj::cli {

// Writes `text` to `pdfPath`. The note font comes from the settings file beside the data file at
// `dataFilePath` when there is one, otherwise the window's default. Returns the number of pages,
// 0 when the file could not be written (`failure` then says why; `pdfPath` is as it was).
int WriteNotePdfFile(const QString& text, const QString& dataFilePath, const QString& pdfPath,
                     QString* failure = nullptr);

} // namespace qj::cli
