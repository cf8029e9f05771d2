#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// Every call into the operating system's file interface lives behind these functions, so a
// port to another system changes only their one file (FileAccess.cpp for POSIX systems,
// FileAccessWindows.cpp for Windows). File names are UTF-8 on every system.
namespace qolmex::fileaccess {

// Hands the content of a regular file to sink piece by piece. Anything else (no such file, a
// folder, no read permission, a device) gives nothing, and a read error ends the content.
void readChunks(const std::string& path, const std::function<void(std::string_view)>& sink);

struct ExistingFile {
    std::string bytes;
    unsigned mode = 0; // permission bits
    unsigned owner = 0;
    unsigned group = 0;
};

// The name with a symbolic link resolved, so that replacing the file keeps the link.
std::string resolvedTarget(const std::string& path);

// The current content of a file that is about to be replaced, or nothing when there is no
// such file. Throws FileWriteError when the name cannot be replaced with a file: a folder or
// device, a file that may not be written or read, or one larger than maxBytes.
std::optional<ExistingFile> readForReplacing(const std::string& path, std::size_t maxBytes);

// Replaces the file in one step: a temporary file in the same folder, with its final
// permissions before its first byte, is written, flushed to the disk and renamed over the old
// one. Throws FileWriteError on any failure, after which
// the old file is untouched and no temporary file is left. The new file keeps the old one's
// permissions and, where the user may set them, its owner and group; without an old file it
// gets the usual permissions of a new file. Where the folder refuses the temporary file or
// the renaming but the old file is writable, the file is overwritten in place instead.
void replace(const std::string& path, std::string_view bytes, const ExistingFile* old);

// Writes bytes over the content of an existing, writable file, keeping its owner, group and
// permissions. Not in one step: when writing fails, the old bytes are put back as far as the
// disk lets, and FileWriteError is thrown.
void overwriteInPlace(const std::string& path, std::string_view bytes, std::string_view oldBytes);

// Creates an empty file under a name nobody has taken, the system deciding atomically, with
// the usual permissions of a new file; false when the name is taken. Throws FileWriteError
// when the file cannot be created.
bool createNew(const std::string& path);

// The name made absolute, for messages.
std::string absoluteName(const std::string& path);

} // namespace qolmex::fileaccess
