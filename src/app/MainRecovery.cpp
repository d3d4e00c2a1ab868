// The recovery journal of the main window: kept while the program runs, offered at start when a
// run before ended without the user's leave.

#include "app/CategorySelector.h"
#include "app/Lymain.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "app/notebook/NotebookTexts.h"
#include "app/notebook/RecoveryJournalKeeper.h"
#include "common/DurableFile.h"
#include "seams/StandardBoxes.h"
#include "store/DataFile.h"
#include "store/RecoveryJournal.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace qj {

namespace {

enum class RecoveryChoice { Restore, SaveAsFile, Drop };

QString EntryLine(const JournalEntry& entry) {
    const QString time =
        entry.written.isValid() ? entry.written.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QString();
    return QStringLiteral("目录分类：%1\n标题：%2\n时间：%3\n字数：%4")
        .arg(entry.category, entry.title, time)
        .arg(CharactersOf(entry.text));
}

RecoveryChoice Ask(Dialogs& dialogs, QWidget* parent, const QString& text, const QString& first) {
    MessageRequest box;
    box.caption = QStringLiteral("提示");
    box.text = text;
    box.icon = MessageIcon::Warning;
    box.buttons = {DialogButton::Yes, DialogButton::Ok, DialogButton::No};
    box.buttonTexts = {first, QStringLiteral("另存为文件"), QStringLiteral("放弃")};
    box.defaultButton = DialogButton::Yes;
    switch (dialogs.message(parent, box)) {
    case DialogButton::Ok:
        return RecoveryChoice::SaveAsFile;
    case DialogButton::No:
        return RecoveryChoice::Drop;
    default:
        return RecoveryChoice::Restore; // the choice that loses nothing and writes nothing
    }
}

QString RecoveryQuestionText(const JournalEntry& entry) {
    return QStringLiteral("上次没有正常退出，以下笔记有未保存的文字：\n\n") + EntryLine(entry);
}

QString RecoveryGoneText(const JournalEntry& entry) {
    return QStringLiteral("这条笔记已不存在，它未保存的文字可以作为新笔记放入目录分类，或另存为文件：\n\n") +
           EntryLine(entry);
}

} // namespace

void TFmain::StartRecoveryJournal() {
    if (!dataFile_)
        return;
    const QString path = JournalPathOf(services_.folder.filePath(QString::fromUtf8(kDataFileName)));
    const JournalContents left = ReadJournal(path);
    // A journal that is not a whole entry of ours is put aside unread (the one before it goes).
    if (left.state == JournalRead::Refused) {
        QFile::remove(path + QStringLiteral(".damaged"));
        QFile::rename(path, path + QStringLiteral(".damaged"));
    }
    journal_ = new RecoveryJournalKeeper(
        *notebook_, path, [this] { return services_.clock.now(); }, this);
    if (left.state == JournalRead::Entry)
        OfferRecovery(left.entry);
    journal_->start();
    connect(qGuiApp, &QGuiApplication::commitDataRequest, journal_, &RecoveryJournalKeeper::flushAndWait);
}

void TFmain::OfferRecovery(const JournalEntry& entry) {
    for (;;) {
        const bool present = ShowJournaledNote(entry);
        const RecoveryChoice choice =
            present ? Ask(services_.dialogs, this, RecoveryQuestionText(entry), QStringLiteral("恢复"))
                    : Ask(services_.dialogs, this, RecoveryGoneText(entry), QStringLiteral("新笔记"));
        if (choice == RecoveryChoice::Drop)
            return;
        if (choice == RecoveryChoice::SaveAsFile) {
            if (SaveJournaledText(entry))
                return;
            continue;
        }
        if (present || FileJournaledNoteAnew(entry)) {
            notebook_->replaceText(QString::fromUtf8(entry.text));
            notebook_->editor()->setCursorPosition(0, 0);
            return;
        }
    }
}

// Opens the entry's category and note (the text as stored, clean); false when either is gone.
bool TFmain::ShowJournaledNote(const JournalEntry& entry) {
    if (!cbb1_->names().contains(entry.category))
        return false;
    bool shown = false;
    runCommand([&] {
        if (notebook_->categoryName() != entry.category || !notebook_->hasCategory()) {
            cbb1_->selectName(entry.category);
            notebook_->openCategory(*dataFile_, entry.category);
            EnableNoteCommands(notebook_->hasCategory());
        }
        if (notebook_->selectRecord(RecordId(entry.rowid)) && notebook_->selectedId() == NoteId(entry.id)) {
            notebook_->loadSelected();
            shown = true;
        }
    });
    return shown;
}

// A note of the entry's title in its category (or the one shown when that is gone) holds the text.
bool TFmain::FileJournaledNoteAnew(const JournalEntry& entry) {
    if (dataFileReadOnly_) {
        reportError(WriteProtectedText());
        return false;
    }
    if (cbb1_->names().contains(entry.category) && notebook_->categoryName() != entry.category) {
        cbb1_->selectName(entry.category);
        runCommand([&] { notebook_->openCategory(*dataFile_, entry.category); });
        EnableNoteCommands(notebook_->hasCategory());
    }
    if (!notebook_->hasCategory())
        return false;
    const QString title = entry.title.isEmpty() ? QStringLiteral("恢复的笔记") : entry.title;
    const std::optional<NoteId> id = notebook_->addSiblingNamed(title);
    if (!id || !notebook_->selectNote(*id))
        return false;
    notebook_->loadSelected();
    return true;
}

bool TFmain::SaveJournaledText(const JournalEntry& entry) {
    FileRequest request;
    request.caption = QStringLiteral("另存为文件");
    request.fileName =
        (entry.title.isEmpty() ? QStringLiteral("恢复的笔记") : entry.title) + QStringLiteral(".txt");
    request.filter = QStringLiteral("文本文件 (*.txt);;所有文件 (*)");
    request.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> path = services_.dialogs.saveFileName(this, request);
    if (!path)
        return false;
    const int error =
        WriteFileDurably(QFile::encodeName(*path).toStdString(),
                         std::string_view(entry.text.constData(), std::size_t(entry.text.size())));
    if (error != 0) {
        reportError(QStringLiteral("不能写入文件 %1：%2")
                        .arg(QDir::toNativeSeparators(*path), QString::fromStdString(FileErrorText(error))));
        return false;
    }
    return true;
}

} // namespace qj
