// The editor's two file commands: save the selection as a text file, insert a text file at the caret.

#include "editor/EditorCommands.h"

#include "common/TextDecode.h"
#include "seams/Dialogs.h"

#include <Qsci/qsciscintilla.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

namespace qj {

using Sci = QsciScintilla;

namespace {

const QString kTextFilter = QStringLiteral("文本文件 (*.txt *.TXT);;所有文件 (*)");

// Bytes for a text file: GBK like the program's other files (characters GBK lacks in their GB18030
// form, so nothing is lost).
QByteArray FileBytes(const QString& text) {
    return QByteArray::fromStdString(EncodeTextFile(text.toStdString(), TextForm{}));
}

// A file's text by the program's one rule for the encodings of text files.
QString InsertedText(const QByteArray& bytes) {
    return QString::fromStdString(DecodeTextFile(std::string_view(bytes.constData(), bytes.size())));
}

QString WithCrLf(QString text) {
    static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
    return text.replace(kBreak, QStringLiteral("\r\n"));
}

} // namespace

void EditorCommands::saveSelection() {
    const QString selected = editor_->selectedText();
    if (selected.isEmpty()) {
        tell(QStringLiteral("没有选择任何内容。"), MessageIcon::Information);
        return;
    }
    FileRequest request;
    request.caption = QStringLiteral("保存选择区域");
    request.filter = kTextFilter;
    request.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> path = hooks_.dialogs.saveFileName(hooks_.dialogParent, request);
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(FileBytes(selected)) < 0 ||
        !file.flush()) {
        tell(QStringLiteral("无法写入文件 %1：%2").arg(*path, file.errorString()), MessageIcon::Error);
    }
}

void EditorCommands::insertFile() {
    if (editor_->isReadOnly()) {
        tell(QStringLiteral("编辑器处于只读状态，请先取消“只读”。"), MessageIcon::Information);
        return;
    }
    FileRequest request;
    request.caption =
        QStringLiteral("插入文件资料到%1").arg(hooks_.noteTitle ? hooks_.noteTitle() : QString());
    request.filter = kTextFilter;
    const std::optional<QString> path = hooks_.dialogs.openFileName(hooks_.dialogParent, request);
    if (!path)
        return;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(QStringLiteral("无法读取文件 %1：%2").arg(*path, file.errorString()), MessageIcon::Error);
        return;
    }
    const QString text = WithCrLf(InsertedText(file.readAll()));
    editor_->replaceSelectedText(text);
    editor_->SendScintilla(Sci::SCI_CHOOSECARETX);
}

} // namespace qj
