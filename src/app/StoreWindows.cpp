#include "app/StoreWindows.h"

#include "app/CategorySelector.h"
#include "app/Lymain.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/Notebook.h"
#include "seams/StandardBoxes.h"
#include "shell/SettingsStore.h"
#include "store/DataFile.h"
#include "store/windows/Findall.h"
#include "store/windows/HistoryWindow.h"
#include "store/windows/TrashWindow.h"
#include "store/windows/addTable.h"

#include <QApplication>

namespace qj {

StoreWindows::StoreWindows(TFmain& main, const Services& services)
    : QObject(&main), main_(main), services_(services) {
    manager_ = new TFaddTable(*this, services_.dialogs, services_.clock, &main_);
    connect(&main_, &TFmain::categoryCreated, manager_, &TFaddTable::CategoryCreated);
}

HistoryWindow* StoreWindows::openHistory() {
    Notebook& notebook = main_.notebook();
    const std::optional<EditedNote> note = notebook.editedNote();
    if (!main_.dataFile() || !notebook.hasCategory() || !note) {
        InformationBox(services_.dialogs, &main_, QStringLiteral("请先选择一条笔记，再看它的历史版本。"));
        return nullptr;
    }
    auto* window = new HistoryWindow(
        *main_.dataFile(), note->category, note->record.id.value(), note->title, notebook.editor()->text(),
        [&notebook](const QString& text) {
            notebook.replaceText(text);
            notebook.editor()->setCursorPosition(0, 0);
        },
        &main_);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

TrashWindow* StoreWindows::openTrash() {
    DataFile* file = main_.dataFile();
    if (!file) {
        InformationBox(services_.dialogs, &main_, QStringLiteral("没有打开数据文件。"));
        return nullptr;
    }
    Notebook& notebook = main_.notebook();
    auto* window = new TrashWindow(
        *file, services_.dialogs, [&notebook] { return notebook.askSaveIfDirty(); },
        [this, &notebook](const Restored& done) {
            // What came back is shown: its category opened afresh, a subtree's top note selected.
            refillSelector(done.category);
            if (!run([&] { notebook.openCategory(*main_.dataFile(), done.category); }))
                return;
            main_.categorySelector()->selectName(done.category);
            main_.EnableNoteCommands(notebook.hasCategory());
            if (notebook.selectNote(done.top))
                notebook.loadSelected();
        },
        &main_);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    return window;
}

void StoreWindows::openCategoryManager() {
    manager_->exec();
}

TFind_all* StoreWindows::openSearch() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    auto* window = new TFind_all(*this, services_.dialogs, &main_);
    QApplication::restoreOverrideCursor();
    // A new search window opens down and right of the last one still open, not over it.
    searches_.removeIf([](const QPointer<TFind_all>& w) { return !w || !w->isVisible(); });
    if (!searches_.isEmpty())
        window->move(searches_.constLast()->pos() + QPoint(kCascadeStep, kCascadeStep));
    searches_.append(window);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

DataFile* StoreWindows::dataFile() {
    return main_.dataFile();
}

QStringList StoreWindows::categoryNames() {
    return main_.categorySelector()->names();
}

bool StoreWindows::openNote(const QString& category, RecordId rowid, const QString& title) {
    Notebook& notebook = main_.notebook();
    if (!main_.dataFile() || !notebook.askSaveIfDirty())
        return false;
    const bool opened = run([&] { notebook.openCategory(*main_.dataFile(), category); });
    main_.categorySelector()->selectName(notebook.hasCategory() ? notebook.categoryName() : QString());
    main_.EnableNoteCommands(notebook.hasCategory());
    if (!opened || !notebook.selectRecord(rowid))
        return false;
    notebook.loadSelected();
    notebook.titleBar()->setTitle(title);
    return true;
}

QString StoreWindows::currentCategory() {
    return main_.notebook().categoryName();
}

void StoreWindows::createCategory() {
    main_.CreateCategory();
}

bool StoreWindows::dropCategory(const QString& name) {
    // The shown category goes first: nothing may be saved into a dropped table.
    if (currentCategory() == name)
        closeCurrent();
    DataFile* file = main_.dataFile();
    if (!file || !run([&] { file->DropCategory(name); }))
        return false;
    refillSelector(main_.startupCategory());
    return true;
}

bool StoreWindows::dropCategories(const QStringList& names) {
    DataFile* file = main_.dataFile();
    if (!file)
        return false;
    closeCurrent();
    const bool dropped = run([&] {
        for (const QString& name : names)
            file->DropCategory(name);
    });
    // The selector never lists a dropped table.
    refillSelector(QString());
    return dropped;
}

bool StoreWindows::makeDefault(const QString& name) {
    Notebook& notebook = main_.notebook();
    if (!notebook.askSaveIfDirty())
        return false;
    main_.settingsStore().saveStartupCategory(name);
    notebook.clearEditor();
    return true;
}

bool StoreWindows::makeCurrent(const QString& name) {
    Notebook& notebook = main_.notebook();
    if (!main_.dataFile() || !notebook.askSaveIfDirty())
        return false;
    const bool opened = run([&] { notebook.openCategory(*main_.dataFile(), name); });
    main_.categorySelector()->selectName(notebook.hasCategory() ? notebook.categoryName() : QString());
    main_.EnableNoteCommands(notebook.hasCategory());
    return opened;
}

void StoreWindows::makeCurrentAndDefault(const QString& name) {
    makeCurrent(name);
    main_.settingsStore().saveStartupCategory(name);
}

void StoreWindows::closeCurrent() {
    Notebook& notebook = main_.notebook();
    if (notebook.hasCategory())
        notebook.categoryDropped(notebook.categoryName());
    notebook.closeCategory();
    notebook.clearEditor();
    notebook.setReadOnly(true);
    main_.categorySelector()->selectName(QString());
    main_.EnableNoteCommands(false);
}

void StoreWindows::managerClosed() {
    main_.notebook().titleBar()->clear();
}

void StoreWindows::refillSelector(const QString& select) {
    main_.FillCategorySelector();
    main_.categorySelector()->selectName(select);
}

bool StoreWindows::run(const std::function<void()>& command) {
    bool done = false;
    main_.runCommand([&] {
        command();
        done = true;
    });
    return done;
}

QString StoreWindows::editorText() {
    return main_.notebook().editor()->text();
}

// Scintilla counts UTF-8 bytes.
void StoreWindows::selectInEditor(int start, int length) {
    NoteEditor* editor = main_.notebook().editor();
    const QString text = editor->text();
    const auto from = static_cast<long>(text.left(start).toUtf8().size());
    const auto to = static_cast<long>(text.left(start + length).toUtf8().size());
    editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, from, to);
    editor->SendScintilla(QsciScintillaBase::SCI_CHOOSECARETX);
}

SearchSettings StoreWindows::searchSettings() {
    return SettingsStore::InFolder(services_.folder.path()).readSearch();
}

void StoreWindows::saveSearchSettings(const SearchSettings& settings) {
    SettingsStore::InFolder(services_.folder.path()).saveSearch(settings);
}

// A box around every occurrence; the marks go with the text when another note is shown.
void StoreWindows::markInEditor(const std::vector<std::pair<int, int>>& ranges) {
    NoteEditor* editor = main_.notebook().editor();
    if (searchMarks_ < 0) {
        searchMarks_ = editor->indicatorDefine(QsciScintilla::StraightBoxIndicator);
        editor->setIndicatorForegroundColor(QColor(255, 140, 0), searchMarks_);
    }
    const QByteArray bytes = editor->text().toUtf8();
    editor->SendScintilla(QsciScintillaBase::SCI_SETINDICATORCURRENT, searchMarks_);
    editor->SendScintilla(QsciScintillaBase::SCI_INDICATORCLEARRANGE, 0L, static_cast<long>(bytes.size()));
    // Scintilla counts UTF-8 bytes: the ranges, in order, are converted walking the text once.
    const QString text = editor->text();
    int at = 0;
    long byte = 0;
    const auto bytesTo = [&](int position) {
        byte += static_cast<long>(QStringView(text).mid(at, position - at).toUtf8().size());
        at = position;
        return byte;
    };
    for (const auto& [start, length] : ranges) {
        const long from = bytesTo(start);
        editor->SendScintilla(QsciScintillaBase::SCI_INDICATORFILLRANGE, from,
                              bytesTo(start + length) - from);
    }
}

} // namespace qj
