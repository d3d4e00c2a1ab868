#include "app/StoreWindows.h"

#include "app/CategorySelector.h"
#include "app/Lymain.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/NoteTitleBar.h"
#include "app/notebook/Notebook.h"
#include "store/windows/Findall.h"

#include <QApplication>

namespace qj {

StoreWindows::StoreWindows(TFmain& main, const Services& services)
    : QObject(&main), main_(main), services_(services) {}

TFind_all* StoreWindows::openSearch() {
    QApplication::setOverrideCursor(Qt::BusyCursor);
    auto* window = new TFind_all(*this, services_.dialogs, &main_);
    QApplication::restoreOverrideCursor();
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

bool StoreWindows::openNote(const QString& category, int id, const QString& title) {
    Notebook& notebook = main_.notebook();
    if (!main_.dataFile() || !notebook.askSaveIfDirty())
        return false;
    bool opened = false;
    main_.runCommand([&] {
        notebook.openCategory(*main_.dataFile(), category);
        opened = true;
    });
    main_.categorySelector()->selectName(notebook.hasCategory() ? notebook.categoryName() : QString());
    main_.EnableNoteCommands(notebook.hasCategory());
    if (!opened || !notebook.selectNote(id))
        return false;
    notebook.loadSelected();
    notebook.titleBar()->setTitle(title);
    return true;
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

} // namespace qj
