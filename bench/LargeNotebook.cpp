#include "LargeNotebook.h"

#include "store/DataFile.h"
#include "store/DefaultCategory.h"
#include "store/Sqlite.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <random>

namespace qj::bench {

namespace {

constexpr const char* kAsciiWords[] = {"the",   "Note", "data",  "2024", "Qt",   "file",  "index", "page",
                                       "mail",  "www",  "HTTP",  "note", "list", "Table", "12:30", "OK",
                                       "print", "user", "value", "text", "GBK",  "line",  "tree",  "id"};

// One note's text: lines of 20–60 characters, mostly Chinese, with ASCII words between them.
QString NoteText(std::mt19937& rng, int targetUtf8Bytes) {
    std::uniform_int_distribution<int> han(0x4E00, 0x9FA5);
    std::uniform_int_distribution<int> lineLength(20, 60);
    std::uniform_int_distribution<int> word(0, std::size(kAsciiWords) - 1);
    QString text;
    int bytes = 0;
    while (bytes < targetUtf8Bytes) {
        const int length = lineLength(rng);
        for (int i = 0; i < length; ++i) {
            if (rng() % 8 == 0) {
                const QString w =
                    QLatin1Char(' ') + QString::fromLatin1(kAsciiWords[word(rng)]) + QLatin1Char(' ');
                text += w;
                bytes += static_cast<int>(w.size());
            } else if (rng() % 12 == 0) {
                text += QStringLiteral("，");
                bytes += 3;
            } else {
                text += QChar(han(rng));
                bytes += 3;
            }
        }
        text += QStringLiteral("。\r\n");
        bytes += 5;
    }
    return text;
}

void Generate(const QString& path) {
    QFile::remove(path);
    CreateEmptyDataFile(path);
    DataFile file(path);
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> size(600, 1900); // about 1,250 bytes a note
    std::uniform_int_distribution<int> han(0x4E00, 0x9FA5);
    for (int c = 0; c < kNotebookCategories; ++c) {
        const QString category = QStringLiteral("目录%1").arg(c + 1);
        CreateCategory(file, category);
        Transaction tx(file.db());
        Statement st(file.db(), QStringLiteral("INSERT INTO %1 (ID, Parent, Name, Info) VALUES (?, ?, ?, ?)")
                                    .arg(QuoteIdentifier(category)));
        for (int id = 1; id < kNotesPerCategory; ++id) {
            QString title;
            for (int i = 0; i < 8; ++i)
                title += QChar(han(rng));
            QString info = NoteText(rng, size(rng));
            const int at = static_cast<int>(rng() % static_cast<unsigned>(info.size()));
            if (rng() % 10000 < 5) // one note in 2,000
                info.insert(at, QString::fromLatin1(kRareWord));
            else if (rng() % 1000 < 2) // one note in 500
                info.insert(at, QString::fromUtf8(kRareChineseWord));
            const int parent = rng() % 20 == 0 ? id : static_cast<int>(rng() % static_cast<unsigned>(id));
            st.Bind(1, id).Bind(2, parent).Bind(3, title).Bind(4, info);
            st.Run();
            st.Reset();
        }
        tx.Commit();
    }
    file.Close();
}

} // namespace

QString LargeNotebookPath() {
    QString folder = qEnvironmentVariable("QJ_BENCH_DATA");
    if (folder.isEmpty())
        folder = QStringLiteral("/tmp/qingjian-bench");
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("notebook-200k-v1.dat"));
    if (!QFile::exists(path)) {
        std::fprintf(stderr, "Writing the large notebook %s (once)...\n", qPrintable(path));
        const QString part = path + QStringLiteral(".part");
        Generate(part);
        QFile::rename(part, path);
    }
    return path;
}

} // namespace qj::bench
