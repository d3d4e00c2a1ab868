#include "app/notebook/NoteTreeMenu.h"

#include "app/notebook/Notebook.h"

#include <QMenu>

namespace qj {

namespace {

struct MenuItem {
    const char* name; // null: a separator
    const char* text;
    const char* icon;
    void (Notebook::*slot)();
};

constexpr MenuItem kItems[] = {
    {"N1", "添加同级节点", ":/icons/actAddSibling16.png", &Notebook::addSibling},
    {"N2", "添加下级子节点", ":/icons/actAddChild16.png", &Notebook::addChild},
    {nullptr, nullptr, nullptr, nullptr},
    {"N4", "删除", ":/icons/actDelete16.png", &Notebook::deleteSelected},
    {"N5", "重命名", nullptr, &Notebook::rename},
    {nullptr, nullptr, nullptr, nullptr},
    {"N8", "全部展开", nullptr, &Notebook::expandAll},
    {"N9", "全部折叠", nullptr, &Notebook::collapseAll},
};

} // namespace

std::unique_ptr<QMenu> BuildNoteTreeMenu(Notebook* notebook, std::function<bool()> categoryOpen,
                                         std::function<bool()> noteSelected) {
    auto menu = std::make_unique<QMenu>();
    menu->setObjectName(QStringLiteral("PopupMenu1"));
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
    }
    QMenu* m = menu.get();
    QObject::connect(m, &QMenu::aboutToShow, notebook, [m, categoryOpen, noteSelected] {
        const bool open = categoryOpen();
        const bool selected = open && noteSelected();
        for (const char* name : {"N1", "N2"})
            m->findChild<QAction*>(QString::fromUtf8(name))->setEnabled(open);
        for (const char* name : {"N4", "N5"})
            m->findChild<QAction*>(QString::fromUtf8(name))->setEnabled(selected);
    });
    return menu;
}

} // namespace qj
