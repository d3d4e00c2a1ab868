#include "store/TreePictures.h"

namespace qj {

namespace {

struct PictureRule {
    bool root;
    bool hasChildren;
    TreePicture normal;
    TreePicture selected;
};

constexpr PictureRule kRules[] = {
    {true, true, kPicClosedBook, kPicOpenBookArrow},
    {true, false, kPicBlueBook, kPicRedPage},
    {false, true, kPicOpenBook, kPicOpenBookMarked},
    {false, false, kPicPage, kPicRedPage},
};

} // namespace

TreePicture PictureFor(int level, bool hasChildren, bool selected) {
    for (const PictureRule& r : kRules)
        if (r.root == (level == 0) && r.hasChildren == hasChildren)
            return selected ? r.selected : r.normal;
    return kPicPage;
}

QString NodeStatusText(int level, int childCount) {
    return QStringLiteral("节点: %1/%2").arg(level).arg(childCount);
}

} // namespace qj
