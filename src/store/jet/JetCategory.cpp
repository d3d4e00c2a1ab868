#include "store/jet/JetCategory.h"

#include <QStringList>

#include <array>

namespace qj {

namespace {

struct Wanted {
    const char* name;
    int CategoryColumns::*slot;
    bool (*fits)(JetColumnKind);
    const char* kindText; // what the column must be, for the message
};

bool IsInteger(JetColumnKind k) {
    return k == JetColumnKind::Integer;
}
bool IsText(JetColumnKind k) {
    return k == JetColumnKind::Text;
}
bool IsLongOrText(JetColumnKind k) {
    return k == JetColumnKind::Memo || k == JetColumnKind::Text;
}

const std::array<Wanted, 4> kWanted{{
    {"ID", &CategoryColumns::id, &IsInteger, "整数"},
    {"Parent", &CategoryColumns::parent, &IsInteger, "整数"},
    {"Name", &CategoryColumns::name, &IsText, "文本"},
    {"Info", &CategoryColumns::info, &IsLongOrText, "备注或文本"},
}};

} // namespace

std::optional<CategoryColumns> MatchCategoryColumns(const std::vector<JetColumn>& columns, QString& why) {
    CategoryColumns found;
    bool namesFit = columns.size() == kWanted.size();
    for (const Wanted& w : kWanted) {
        int at = -1;
        for (size_t i = 0; i < columns.size(); ++i)
            if (columns[i].name.compare(QLatin1String(w.name), Qt::CaseInsensitive) == 0)
                at = at < 0 ? static_cast<int>(i) : -2; // -2: the name twice
        if (at < 0)
            namesFit = false;
        found.*w.slot = at;
    }
    if (!namesFit) {
        QStringList names;
        for (const JetColumn& c : columns)
            names.append(c.name);
        why = QStringLiteral("不是目录分类表：它的列是 %1，目录分类表的列是 ID、Parent、Name、Info")
                  .arg(names.isEmpty() ? QStringLiteral("（无）") : names.join(QStringLiteral("、")));
        return std::nullopt;
    }
    for (const Wanted& w : kWanted) {
        if (!w.fits(columns[static_cast<size_t>(found.*w.slot)].kind)) {
            why = QStringLiteral("不是目录分类表：列 %1 不是%2列")
                      .arg(columns[static_cast<size_t>(found.*w.slot)].name, QString::fromUtf8(w.kindText));
            return std::nullopt;
        }
    }
    why.clear();
    return found;
}

} // namespace qj
