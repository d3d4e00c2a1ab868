#include "app/notebook/NoteTreeMenu.h"

#include "app/notebook/Notebook.h"

#include <QMenu>

#include <utility>
#include <vector>

namespace qj {

namespace {

// When an item can be chosen.
enum class Needs { Nothing, OpenCategory, SelectedNote };

struct MenuItem {
    const char* name; // null: a separator
    const char* text;
    const char* icon;
    void (Notebook::*slot)();
    Needs needs;
};

constexpr MenuItem kItems[] = {
    {"N1", "添加同级节点", ":/icons/actAddSibling16.png", &Notebook::addSibling, Needs::OpenCategory},
    {"N2", "添加下级子节点", ":/icons/actAddChild16.png", &Notebook::addChild, Needs::OpenCategory},
    {nullptr, nullptr, nullptr, nullptr, Needs::Nothing},
    {"N4", "删除", ":/icons/actDelete16.png", &Notebook::deleteSelected, Needs::SelectedNote},
    {"N5", "重命名", nullptr, &Notebook::rename, Needs::SelectedNote},
    {nullptr, nullptr, nullptr, nullptr, Needs::Nothing},
    {"N8", "全部展开", nullptr, &Notebook::expandAll, Needs::Nothing},
    {"N9", "全部折叠", nullptr, &Notebook::collapseAll, Needs::Nothing},
};

} // namespace

std::unique_ptr<QMenu> BuildNoteTreeMenu(Notebook* notebook, std::function<bool()> categoryOpen,
                                         std::function<bool()> noteSelected) {
    auto menu = std::make_unique<QMenu>();
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    std::vector<std::pair<QAction*, Needs>> guarded;
    for (const MenuItem& entry : kItems) {
        if (!entry.name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(entry.text));
        action->setObjectName(QString::fromUtf8(entry.name));
        if (entry.icon)
            action->setIcon(QIcon(QString::fromUtf8(entry.icon)));
        QObject::connect(action, &QAction::triggered, notebook, entry.slot);
        if (entry.needs != Needs::Nothing)
            guarded.push_back({action, entry.needs});
    }
    QObject::connect(menu.get(), &QMenu::aboutToShow, notebook, [guarded, categoryOpen, noteSelected] {
        const bool open = categoryOpen();
        const bool selected = open && noteSelected();
        for (const auto& [action, needs] : guarded)
            action->setEnabled(needs == Needs::OpenCategory ? open : selected);
    });
    return menu;
}

} // namespace qj
