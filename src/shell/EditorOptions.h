#pragma once
// The note editor's options the user may change, as the settings file keeps them.

namespace qj {

// The choices of the editor's options dialog ("编辑选项(&E)").
struct EditorOptions {
    int tabWidth = 4;
    bool autoIndent = true;
    bool trimTrailingBlanks = true;
    bool caretPastLineEnd = true;
    bool gutterShown = true;
    int edgeColumn = 80;
    bool operator==(const EditorOptions&) const = default;
};

} // namespace qj
