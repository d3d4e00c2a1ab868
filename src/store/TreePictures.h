#pragma once
// The seven pictures of the note tree and which one a node shows, and the status text of the
// selected node.

#include <QString>

namespace qj {

// Picture indexes of the 16 × 16 tree picture list. Every picture for a selected node carries red.
enum TreePicture {
    kPicClosedBook = 0,     // a closed book
    kPicOpenBookMarked = 1, // an open book with a red mark
    kPicOpenBook = 2,       // an open book
    kPicPage = 3,           // a page of text
    kPicRedPage = 4,        // a page of text in red
    kPicOpenBookArrow = 5,  // an open book with a red arrow
    kPicBlueBook = 6,       // an open book in blue
};
inline constexpr int kTreePictureCount = 7;

// The picture of a node: level 0 is a root.
TreePicture PictureFor(int level, bool hasChildren, bool selected);

// Status text of the selected node: "节点: " + level + "/" + number of direct children.
QString NodeStatusText(int level, int childCount);

} // namespace qj
