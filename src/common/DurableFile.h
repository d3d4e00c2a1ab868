#pragma once
// Writing a whole file so that a failure never leaves a cut or unsynced file in its place: the
// bytes go to a temporary file beside it, every write, the sync to the disk and the close are
// checked, and only then is the temporary renamed over the final name (and the folder synced). On
// any failure the temporary is removed and the final file is as it was. Failures are errno values.

#include <string>
#include <string_view>

namespace qj {

// A temporary name beside `path` that no other writer of this process or another one picks
// ("<path>.<pid>-<n>.part").
std::string TemporaryNameBeside(const std::string& path);

// Writes `bytes` as the whole of `path`. A file that exists keeps its permissions. 0 on success,
// else the errno of the first step that failed.
int WriteFileDurably(const std::string& path, std::string_view bytes);

// Makes a finished temporary file (written by someone else, such as a PDF printer) the file
// `path`: syncs it to the disk, renames it into place and syncs the folder. On failure the
// temporary is removed and the errno returned; 0 on success.
int CommitTemporaryFile(const std::string& temporary, const std::string& path);

// Syncs an open file descriptor's data to the disk; 0 or errno (EINTR retried).
int SyncDescriptor(int fd);

// Writes all of `bytes` to `fd` at its position; 0 or errno (a write of no bytes is ENOSPC).
int WriteAll(int fd, std::string_view bytes);

// A failed file operation's errno in the user's words (UTF-8): a full disk, an I/O error, no
// permission, a read-only disk; the system's text otherwise.
std::string FileErrorText(int error);

} // namespace qj
