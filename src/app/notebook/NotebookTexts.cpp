#include "app/notebook/NotebookTexts.h"

namespace qj {

QString DeleteItemConfirmation(const QString& title) {
    return QStringLiteral("Do you want to delete the item \"%1\"").arg(title);
}

QString GoneNoteText(const QString& title) {
    return QStringLiteral("笔记“%1”已不存在（可能已被其他程序删除），文本没有保存。").arg(title);
}

QString GoneNoteQuestion(const QString& title) {
    return GoneNoteText(title) + QStringLiteral("\r\n要把文本存为当前目录分类中的一条新笔记吗？");
}

QString WriteProtectedText() {
    return QStringLiteral("数据文件是只读的，不能修改笔记和目录分类");
}

QString ReplacedDataFileQuestion(const QString& why) {
    return QStringLiteral(
               "%1\r\n\r\n要重新打开磁盘上现在的数据文件吗？编辑器里的文字会保留，重新打开后可以再保存。")
        .arg(why);
}

} // namespace qj
