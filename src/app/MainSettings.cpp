// The settings file "Jotterly.ini" as the main window applies and saves it, and the editor's look
// (font, colours, wrap switch) that the settings carry.

#include "app/Lymain.h"
#include "app/ToolTipLook.h"
#include "app/notebook/NoteEditor.h"
#include "app/notebook/Notebook.h"
#include "editor/ColumnWrap.h"
#include "editor/EditorPane.h"
#include "editor/EditorText.h"
#include "editor/StatusTexts.h"
#include "seams/StandardBoxes.h"
#include "shell/EditorSettings.h"
#include "shell/FontFamilies.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace qj {
namespace {

QString SettingsNotWrittenText(const QString& path) {
    return QStringLiteral("设置文件 %1 不能写入，这次的显示设置没有保存。")
        .arg(QDir::toNativeSeparators(path));
}

int ValueOf(const QColor& colour) {
    return ColorRef(colour.red(), colour.green(), colour.blue());
}

} // namespace

void TFmain::LoadSettings() {
    const Settings s = settings_.read();
    if (!s.toolBar)
        actions_.toolBar->trigger();
    if (!s.listBar)
        actions_.listBar->trigger();
    startupCategory_ = s.currentTable;
    if (!s.autoLine)
        chkBox_->setChecked(false);
    look_ = s;
    applyEditorLook();
    ChkBoxClick(chkBox_->isChecked());
    // The options dialog's edge column, when the user chose one, wins over the switch's 80.
    LoadEditorOptions();
}

void TFmain::LoadSkinChoice() {
    if (look_.skinIndex.isEmpty())
        return;
    // An index that is no number is ignored.
    if (const std::optional<int> index = SkinIndex(look_))
        ApplySkinChoice(look_.skinName, *index);
}

void TFmain::ApplySkinChoice(const QString& fileName, int index) {
    settings_.saveSkinChoice(fileName, index);
    look_.skinName = fileName;
    look_.skinIndex = QString::number(index);
    const QList<QAction*> items = skinMenu_->actions(); // 春 夏 秋 冬 默认
    for (QAction* item : items)
        item->setChecked(false);
    if (!QFileInfo::exists(services_.folder.filePath(QStringLiteral("skin/") + fileName))) {
        items.back()->setChecked(true);
        return;
    }
    if (index >= 1 && index <= 4)
        items[index - 1]->setChecked(true);
}

bool TFmain::SaveSettings() {
    Settings s = look_;
    s.toolBar = actions_.toolBar->isChecked();
    s.listBar = actions_.listBar->isChecked();
    s.autoLine = chkBox_->isChecked();
    if (settings_.saveAtExit(s))
        return true;
    ErrorBox(services_.dialogs, this, SettingsNotWrittenText(settings_.path()));
    return false;
}

// The editor font: the stored name drawn with the nearest installed face, the stored size, and the
// session's bold, italic and underline.
QFont TFmain::editorFont() const {
    QFont font = NoteFont(look_.fontName, look_.fontSize);
    font.setBold(fontBold_);
    font.setItalic(fontItalic_);
    font.setUnderline(fontUnderline_);
    return font;
}

// The editor shows the stored font name with the nearest installed face; the file keeps the name.
void TFmain::applyEditorLook() {
    pane_->applyLook({editorFont(), SettingsColour(look_.fontColor), SettingsColour(look_.backColor),
                      SettingsColour(look_.lineFontColor), SettingsColour(look_.lineBackColor)});
}

void TFmain::ApplyTooltipLook() {
    if (!findChild<ToolTipLook*>(QString(), Qt::FindDirectChildrenOnly))
        new ToolTipLook(this);
}

// The wrap switch: ticked, the right edge shows and the text wraps, both at column 80 (also when
// the edge had been dragged elsewhere). Cleared, neither shows; the columns keep their values.
void TFmain::ChkBoxClick(bool checked) {
    pane_->setWrapSwitch(checked);
}

// Mouse moves over the editor: the wrap column follows the right edge (which the user may have
// dragged), and status panel 3 shows it with the caret line's width in pixels.
void TFmain::mmo1MouseMove() {
    pane_->followEdge();
    setStatusText(kWrapPanel,
                  WrapReadout(pane_->columnWrap()->wrapColumn(), pane_->caretLineMeter()->width()));
}

// Caret moves: status panel 2 shows the caret's line and column, both counted from 1.
void TFmain::mmo1StatusChange() {
    int line = 0, index = 0;
    NoteEditor* editor = notebook_->editor();
    editor->getCursorPosition(&line, &index);
    const long virtualSpace = editor->SendScintilla(QsciScintilla::SCI_GETSELECTIONNCARETVIRTUALSPACE, 0UL);
    setStatusText(kCaretPanel, CaretReadout(line + 1, index + 1 + static_cast<int>(virtualSpace)));
}

// The dialog starts at the editor's font and text colour. A stored name the system lacks is shown
// with the face that draws it; confirming that face keeps the stored name as it was. What is
// confirmed shows at once and its name, size and colour are written to the settings file at once.
void TFmain::actEditFontExecute() {
    const QFont shown = editorFont();
    const std::optional<FontChoice> chosen =
        services_.dialogs.font(this, {shown, SettingsColour(look_.fontColor)}, QStringLiteral("选择字体"));
    if (!chosen)
        return;
    const QFont& font = chosen->font;
    if (font.family() != shown.family())
        look_.fontName = font.family();
    if (font.pointSize() > 0)
        look_.fontSize = font.pointSize();
    fontBold_ = font.bold();
    fontItalic_ = font.italic();
    fontUnderline_ = font.underline();
    look_.fontColor = ValueOf(chosen->color);
    applyEditorLook();
    if (!settings_.saveFont(look_))
        ErrorBox(services_.dialogs, this, SettingsNotWrittenText(settings_.path()));
}

void TFmain::actEditBKColorExecute() {
    if (const std::optional<QColor> c = services_.dialogs.color(this, SettingsColour(look_.backColor))) {
        look_.backColor = ValueOf(*c);
        applyEditorLook();
    }
}

void TFmain::actNowlineFontColorExecute() {
    if (const std::optional<QColor> c = services_.dialogs.color(this, SettingsColour(look_.lineFontColor))) {
        look_.lineFontColor = ValueOf(*c);
        applyEditorLook();
    }
}

void TFmain::actNowlineBkColorExecute() {
    if (const std::optional<QColor> c = services_.dialogs.color(this, SettingsColour(look_.lineBackColor))) {
        look_.lineBackColor = ValueOf(*c);
        applyEditorLook();
    }
}

} // namespace qj
