#pragma once

#include <functional>
#include <memory>

class QMenu;

namespace qj {

class Notebook;

// The tree's right-click menu "PopupMenu1": "添加同级节点" (N1), "添加下级子节点" (N2), —, "删除" (N4),
// "重命名" (N5), —, "全部展开" (N8), "全部折叠" (N9), bound to the notebook's commands. When it opens,
// N1 and N2 need an open category, N4 and N5 a selected note.
std::unique_ptr<QMenu> BuildNoteTreeMenu(Notebook* notebook, std::function<bool()> categoryOpen,
                                         std::function<bool()> noteSelected);

} // namespace qj
