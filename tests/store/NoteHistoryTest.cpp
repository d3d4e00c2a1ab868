// The history file: revisions kept by saves (merging, the 50 / 30-day rule, the budget, byte-exact
// texts), the 回收站 (a subtree and a category deleted and restored whole, clashing IDs and names,
// expiry, a history file that cannot be written), and the line difference the history window shows.

#include "store/NoteHistory.h"
#include "store/CategoryTable.h"
#include "store/CurrentCategory.h"
#include "store/DataFile.h"
#include "store/NoteEditState.h"
#include "store/NoteTrash.h"
#include "text/LineDiff.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <map>

namespace qj {
namespace {

class History : public ::testing::Test {
protected:
    void SetUp() override {
        CreateEmptyDataFile(path());
        file = std::make_unique<DataFile>(path());
        file->setClock([this] { return now; });
        file->CreateCategoryTable(QStringLiteral("日记"));
    }
    QString path() const { return dir.filePath(QStringLiteral("dataly.dat")); }
    CategoryTable table(const QString& name = QStringLiteral("日记")) { return CategoryTable(*file, name); }
    // Saves `text` into note `id` of 日记 as the editor does, `minutes` after the last save.
    void save(RecordRef record, const QString& text, int minutes = 11,
              const QString& title = QStringLiteral("记")) {
        now = now.addSecs(minutes * 60);
        NoteEditState state;
        state.Loaded(QStringLiteral("日记"), record, title);
        state.Changed();
        ASSERT_EQ(SaveNoteText(*file, state, text), SaveResult::Saved);
    }
    std::vector<Revision> revisions(std::int64_t id) {
        return RevisionsOf(file->db(), QStringLiteral("history"), QStringLiteral("日记"), id);
    }
    // A tree of `count` notes under one top note (each note under one of the earlier ones).
    std::map<std::int64_t, std::tuple<std::int64_t, QString, QString>> shapeOf(const QString& category) {
        std::map<std::int64_t, std::tuple<std::int64_t, QString, QString>> shape;
        CategoryTable t = table(category);
        for (const NoteHeader& h : t.LoadHeaders())
            shape[h.id.value()] = {h.parent ? h.parent->value() : -1, h.name, t.ReadInfo(h.record())};
        return shape;
    }

    QTemporaryDir dir;
    QDateTime now{QDate(2026, 1, 1), QTime(8, 0)};
    std::unique_ptr<DataFile> file;
};

// Saves 9:59 apart keep one revision (the older text), 10:00 apart two; an unchanged or empty text
// none.
TEST_F(History, SavesCloserThanTenMinutesKeepOneRevision) {
    const RecordRef note{table().Append(NoteId{1}, NoteId{1}, QStringLiteral("记")), NoteId{1}};
    save(note, QStringLiteral("甲")); // replaces nothing
    save(note, QStringLiteral("甲")); // the same text
    EXPECT_TRUE(revisions(1).empty());
    save(note, QStringLiteral("乙")); // keeps 甲
    now = now.addSecs(599);
    save(note, QStringLiteral("丙"), 0); // 9:59 later: merged
    ASSERT_EQ(revisions(1).size(), 1u);
    EXPECT_EQ(RevisionText(file->db(), QStringLiteral("history"), revisions(1)[0].key), QStringLiteral("甲"));
    now = now.addSecs(1);
    save(note, QStringLiteral("丁"), 0); // 10:00 after 甲 was kept
    ASSERT_EQ(revisions(1).size(), 2u);
    EXPECT_EQ(RevisionText(file->db(), QStringLiteral("history"), revisions(1)[0].key), QStringLiteral("丙"));
    EXPECT_EQ(revisions(1)[0].saved, now);
}

// 51 revisions within 30 days all stay; once older than 30 days, only the newest 50 do.
TEST_F(History, KeepsFiftyRevisionsAndThirtyDays) {
    const RecordRef note{table().Append(NoteId{1}, NoteId{1}, QStringLiteral("记"), QStringLiteral("0")),
                         NoteId{1}};
    for (int i = 1; i <= 51; ++i)
        save(note, QString::number(i));
    EXPECT_EQ(revisions(1).size(), 51u);
    // "0" is now 30 days and a minute old and goes; "1" is past the newest 50 but 30 days old only.
    save(note, QStringLiteral("末"), 30 * 24 * 60 + 1 + 11 - 51 * 11);
    const auto kept = revisions(1);
    ASSERT_EQ(kept.size(), 51u);
    EXPECT_EQ(RevisionText(file->db(), QStringLiteral("history"), kept.back().key), QStringLiteral("1"));
    // 33 minutes on, "1" to "3" are past 30 days: the two beyond the newest 50 go, "3" stays.
    save(note, QStringLiteral("尾"), 33);
    const auto later = revisions(1);
    ASSERT_EQ(later.size(), 50u);
    EXPECT_EQ(RevisionText(file->db(), QStringLiteral("history"), later.back().key), QStringLiteral("3"));
}

// Over the budget the oldest revisions of any note go first; exactly at it, nothing goes.
TEST_F(History, TheBudgetTrimsTheOldestFirst) {
    const QString text = QStringLiteral("字").repeated(100); // 300 bytes
    for (const auto& [budget, kept] : {std::pair{900, 3u}, std::pair{899, 2u}}) {
        file.reset();
        QFile::remove(path());
        QFile::remove(HistoryPathOf(path()));
        SetUp();
        for (int id = 1; id <= 4; ++id) {
            const RecordRef note{table().Append(NoteId{id}, NoteId{id}, QStringLiteral("记"), text),
                                 NoteId{id}};
            ASSERT_TRUE(file->AttachHistory());
            now = now.addSecs(60);
            KeepRevision(*file, QStringLiteral("日记"), note, QStringLiteral("新"), now, budget);
        }
        EXPECT_EQ(RevisionBytes(file->db(), QStringLiteral("history")), 300 * kept);
        EXPECT_TRUE(revisions(1).empty()) << budget;
        EXPECT_EQ(revisions(4).size(), 1u);
    }
}

// 500 saves over 20 notes: every revision kept gives back, byte for byte, the text it replaced.
TEST_F(History, EveryKeptRevisionRestoresByteExact) {
    std::vector<RecordRef> notes;
    std::map<std::int64_t, std::vector<QString>> saved;
    for (int id = 1; id <= 20; ++id) {
        notes.push_back({table().Append(NoteId{id}, NoteId{id}, QStringLiteral("记")), NoteId{id}});
        saved[id].push_back(QString());
    }
    QRandomGenerator random(7);
    for (int i = 0; i < 500; ++i) {
        const RecordRef note = notes[random.bounded(20)];
        QString text = QStringLiteral("第%1次\r\n").arg(i);
        for (int c = random.bounded(40); c > 0; --c)
            text += QChar(random.bounded(2) ? 0x4E00 + random.bounded(20000) : 0x20 + random.bounded(95));
        text += random.bounded(2) ? QStringLiteral("\n\t") : QStringLiteral("\U0001F600");
        save(note, text, 4);
        saved[note.id.value()].push_back(text);
    }
    int checked = 0;
    for (const auto& [id, texts] : saved)
        for (const Revision& r : revisions(id)) {
            const QString kept = RevisionText(file->db(), QStringLiteral("history"), r.key);
            EXPECT_NE(std::find(texts.begin(), texts.end() - 1, kept), texts.end() - 1);
            ++checked;
        }
    EXPECT_GT(checked, 200);
}

TEST_F(History, ASubtreeComesBackWholeAndClashingIdsAreRenumbered) {
    {
        CategoryTable t = table();
        t.Append(NoteId{0}, NoteId{0}, QStringLiteral("根"));
        for (int id = 1; id <= 1000; ++id)
            t.Append(NoteId{id}, NoteId{id == 1 ? 0 : (id * 7919) % (id - 1) + 1},
                     QStringLiteral("节点%1").arg(id), QStringLiteral("文字%1\r\n").arg(id));
    }
    const auto before = shapeOf(QStringLiteral("日记"));
    for (const bool clash : {false, true}) {
        SCOPED_TRACE(clash);
        CurrentCategory open(*file, QStringLiteral("日记"));
        now = now.addSecs(60);
        open.Delete(open.tree().Find(NoteId{1}));
        EXPECT_EQ(table().RecordCount(), 1);
        if (clash) { // the old IDs 1 and 2 taken meanwhile
            CurrentCategory taker(*file, QStringLiteral("日记"));
            taker.AddSibling(kNoNode, QStringLiteral("新"));
            taker.AddSibling(kNoNode, QStringLiteral("新"));
        }
        const auto trash = TrashEntries(file->db(), QStringLiteral("history"));
        ASSERT_EQ(trash.size(), 1u);
        EXPECT_EQ(trash[0].notes, 1000);
        EXPECT_EQ(trash[0].title, QStringLiteral("节点1"));
        const Restored done = RestoreDeleted(*file, trash[0].key);
        EXPECT_EQ(done.notes, 1000);
        EXPECT_TRUE(TrashEntries(file->db(), QStringLiteral("history")).empty());
        const auto after = shapeOf(QStringLiteral("日记"));
        if (!clash) {
            EXPECT_EQ(after, before);
            continue;
        }
        // Renumbered: the same titles, texts and shape, read through the new IDs.
        EXPECT_EQ(done.top.value(), 1001);
        std::map<QString, QString> parentTitle;
        for (const auto& [id, row] : after)
            if (after.count(std::get<0>(row)) && std::get<0>(row) != id)
                parentTitle[std::get<1>(row)] = std::get<1>(after.at(std::get<0>(row)));
        for (const auto& [id, row] : before) {
            if (id > 1) {
                EXPECT_EQ(parentTitle[std::get<1>(row)], std::get<1>(before.at(std::get<0>(row))));
            }
        }
        EXPECT_EQ(std::get<0>(after.at(1001)), 0); // under its old parent
    }
}

TEST_F(History, ACategoryComesBackUnderItsNameOrARestoredOne) {
    {
        Transaction tx(file->db()); // one commit for the 10,000 records
        CategoryTable t = table();
        for (int id = 1; id <= 10000; ++id)
            t.Append(NoteId{id}, NoteId{id % 100 == 1 ? id : id - 1}, QStringLiteral("第%1").arg(id),
                     id % 3 ? QStringLiteral("文字%1").arg(id) : QString());
        tx.Commit();
    }
    const auto before = shapeOf(QStringLiteral("日记"));
    for (const bool taken : {false, true}) {
        file->DropCategory(QStringLiteral("日记"));
        if (taken)
            file->CreateCategoryTable(QStringLiteral("日记"));
        const auto trash = TrashEntries(file->db(), QStringLiteral("history"));
        ASSERT_EQ(trash.size(), 1u);
        EXPECT_EQ(trash[0].kind, TrashEntry::Kind::Category);
        EXPECT_EQ(trash[0].notes, 10000);
        const Restored done = RestoreDeleted(*file, trash[0].key);
        EXPECT_EQ(done.category, taken ? QStringLiteral("日记(恢复)") : QStringLiteral("日记"));
        EXPECT_EQ(shapeOf(done.category), before);
    }
}

// Entries go 30 days after their deletion (not a minute before); nothing is deleted when the
// 回收站 cannot keep it.
TEST_F(History, TheTrashExpiresAndADeletionItCannotKeepIsRefused) {
    table().Append(NoteId{1}, NoteId{1}, QStringLiteral("一"));
    CurrentCategory open(*file, QStringLiteral("日记"));
    open.Delete(open.tree().Find(NoteId{1}));
    const QDateTime deleted = now;
    for (const auto& [after, left] : {std::pair{-60, 1u}, std::pair{0, 1u}, std::pair{1, 0u}}) {
        ExpireTrash(*file, deleted.addDays(kHistoryDays).addSecs(after));
        EXPECT_EQ(TrashEntries(file->db(), QStringLiteral("history")).size(), left) << after;
    }
    file.reset();
    QFile::remove(HistoryPathOf(path()));
    QDir(dir.path()).mkdir(QStringLiteral("dataly.history"));
    file = std::make_unique<DataFile>(path());
    table().Append(NoteId{2}, NoteId{2}, QStringLiteral("二"));
    CurrentCategory again(*file, QStringLiteral("日记"));
    EXPECT_THROW(again.Delete(again.tree().Find(NoteId{2})), StoreError);
    EXPECT_THROW(file->DropCategory(QStringLiteral("日记")), StoreError);
    EXPECT_EQ(table().RecordCount(), 1);
}

TEST(LineDiff, MarksLinesTakenOutAndPutIn) {
    using K = DiffLine::Kind;
    const struct {
        const char* before;
        const char* after;
        std::vector<DiffLine> diff;
    } cases[] = {
        {"", "", {}},
        {"甲\r\n乙\r\n", "甲\n乙", {{K::Same, "甲"}, {K::Same, "乙"}}},
        {"甲\n乙\n丙",
         "甲\n丁\n丙",
         {{K::Same, "甲"}, {K::Removed, "乙"}, {K::Added, "丁"}, {K::Same, "丙"}}},
        {"a\nb\nc\nd",
         "b\nx\nd\ne",
         {{K::Removed, "a"},
          {K::Same, "b"},
          {K::Removed, "c"},
          {K::Added, "x"},
          {K::Same, "d"},
          {K::Added, "e"}}},
        {"", "新\n", {{K::Added, "新"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LineDiff(QString::fromUtf8(c.before), QString::fromUtf8(c.after)), c.diff) << c.before;
}

// Past the size worked out exactly, the differing middle is taken out and put in whole.
TEST(LineDiff, ALargeDifferenceIsShownWhole) {
    QStringList a;
    QStringList b;
    for (int i = 0; i < 2001; ++i) {
        a << QStringLiteral("a%1").arg(i);
        b << QStringLiteral("b%1").arg(i);
    }
    a[1000] = b[1000] = QStringLiteral("same");
    const auto exact = LineDiff(a.mid(0, 2000).join('\n'), b.mid(0, 2000).join('\n'));
    EXPECT_EQ(std::count_if(exact.begin(), exact.end(),
                            [](const DiffLine& l) { return l.kind == DiffLine::Kind::Same; }),
              1);
    const auto whole = LineDiff(a.join('\n'), b.join('\n'));
    EXPECT_EQ(std::count_if(whole.begin(), whole.end(),
                            [](const DiffLine& l) { return l.kind == DiffLine::Kind::Same; }),
              0);
    EXPECT_EQ(whole.size(), 4002u);
}

} // namespace
} // namespace qj
