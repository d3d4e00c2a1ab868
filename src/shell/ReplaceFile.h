#pragma once
// Replacing a small file's whole contents so that a write that fails leaves the file byte for byte
// as it was: the new bytes go to a file beside it, every write and the flush are checked, and only
// then is it moved into place. When the folder takes no new file (a read-only folder holding a
// writable file) the file is written in place, but only after the room for the new bytes has been
// reserved on the disk, so a full disk fails before anything is changed.

#include <QString>

#include <string_view>

namespace qj {

// False when the file could not be written; the file is then as it was.
bool ReplaceFile(const QString& path, std::string_view bytes);

} // namespace qj
