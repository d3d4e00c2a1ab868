#include "LargeCategory.h"

#include "store/DefaultCategory.h"
#include "store/Sqlite.h"

#include <random>

namespace qj::bench {

void FillRandomCategory(DataFile& file, const QString& category, int notes, unsigned seed) {
    CreateCategory(file, category);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> han(0x4E00, 0x9FA5);
    Transaction tx(file.db());
    Statement st(
        file.db(),
        QStringLiteral("INSERT INTO %1 (ID, Parent, Name) VALUES (?, ?, ?)").arg(QuoteIdentifier(category)));
    for (int id = 1; id < notes; ++id) {
        QString title;
        for (int i = 0; i < 10; ++i)
            title += QChar(han(rng));
        const int parent = rng() % 50 == 0 ? id : static_cast<int>(rng() % static_cast<unsigned>(id));
        st.Bind(1, id).Bind(2, parent).Bind(3, title);
        st.Run();
        st.Reset();
    }
    tx.Commit();
}

LargeDataFile::LargeDataFile(const QString& category, int notes) {
    const QString path = dir.filePath(QStringLiteral("dataly.dat"));
    CreateEmptyDataFile(path);
    file = std::make_unique<DataFile>(path);
    FillRandomCategory(*file, category, notes);
}

} // namespace qj::bench
