#include "store/jet/JetSamples.h"

#include <QStringList>

namespace qj::test {

using Cell = JetFileWriter::Cell;

QString LongText(int lines) {
    QStringList all;
    for (int i = 1; i <= lines; ++i)
        all.append(QStringLiteral("第%1行：青简札记的长笔记，用来填满好几页。").arg(i));
    return all.join(QStringLiteral("\r\n"));
}

std::vector<SampleTable> SampleNotebook() {
    std::vector<SampleTable> tables;
    tables.push_back({QStringLiteral("帮助"),
                      JetFileWriter::CategoryColumns(),
                      {{Cell::Int(0), Cell::Int(0), Cell::Str(QStringLiteral("帮助")), Cell::Null()},
                       {Cell::Int(1), Cell::Int(0), Cell::Str(QStringLiteral("使用说明")),
                        Cell::Str(QStringLiteral("第一行\r\n第二行\r\n\r\n最后一行"))},
                       {Cell::Int(2), Cell::Int(1), Cell::Str(QStringLiteral("快捷键 Ctrl+Alt+A")),
                        Cell::Str(QStringLiteral("Plain ASCII text\r\nwith two lines"))}}});
    tables.push_back(
        {QStringLiteral("日记"),
         JetFileWriter::CategoryColumns(),
         {{Cell::Int(0), Cell::Int(0), Cell::Str(QStringLiteral("日记")), Cell::Null()},
          {Cell::Int(2147483647), Cell::Int(0), Cell::Str(QStringLiteral("最大的编号")),
           Cell::Str(QStringLiteral("编号是 2^31−1"))},
          {Cell::Int(5), Cell::Null(), Cell::Str(QStringLiteral("没有上级")), Cell::Null()},
          {Cell::Null(), Cell::Int(0), Cell::Str(QStringLiteral("没有编号")), Cell::Str(QStringLiteral("x"))},
          {Cell::Int(-7), Cell::Int(-7), Cell::Str(QString(50, QChar(0x5B57))), Cell::Str(LongText(400))},
          {Cell::Int(6), Cell::Int(5), Cell::Str(QStringLiteral("二〇二四年三月五日")),
           Cell::Str(QStringLiteral("\r\n前后都有空行\r\n"))},
          {Cell::Int(8), Cell::Int(0), Cell::Str(QStringLiteral("空正文")), Cell::Str(QString(""))}}});
    tables.push_back({QStringLiteral("空分类"), JetFileWriter::CategoryColumns(), {}});
    tables.push_back({QStringLiteral("联系人"),
                      {{QStringLiteral("姓名"), JetFileWriter::Type::Text, 20},
                       {QStringLiteral("生日"), JetFileWriter::Type::DateTime},
                       {QStringLiteral("编号"), JetFileWriter::Type::Long}},
                      {{Cell::Str(QStringLiteral("张三")), Cell::Int(30000), Cell::Int(1)}},
                      false});
    // Many records: several data pages, read back in stored order.
    SampleTable many{QStringLiteral("Many Notes"), JetFileWriter::CategoryColumns(), {}};
    for (int i = 0; i < 300; ++i)
        many.rows.push_back({Cell::Int(300 - i), Cell::Int(0), Cell::Str(QStringLiteral("笔记 %1").arg(i)),
                             Cell::Str(QStringLiteral("第 %1 条\r\n").arg(i).repeated(i % 7 + 1))});
    tables.push_back(std::move(many));
    return tables;
}

void WriteJetFile(const QString& path, const std::vector<SampleTable>& tables, bool compressTexts) {
    JetFileWriter writer;
    writer.CompressTexts(compressTexts);
    for (const SampleTable& t : tables)
        writer.AddTable(t.name, t.columns, t.rows);
    writer.Write(path);
}

} // namespace qj::test
