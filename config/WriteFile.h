#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace qolmex {

// Every file the program writes is written this one way, the window's Save and the command
// line's outputs alike: the name means what the system says it means (no ".." taken away by
// hand), a symbolic link is followed and its target written, a read-only file, a folder or a
// device is refused, and the file is replaced in one step keeping its permissions (and owner
// and group where the user may set them); a new file gets the usual permissions. Throws
// FileWriteError carrying the full name; the old file is then as it was and nothing is left
// beside it.
//
// content is handed the old file's bytes (empty without one) and gives the new ones; an old
// file larger than maxOldBytes is refused.
void writeFile(const std::string& path,
               const std::function<std::string(std::string_view old)>& content,
               std::size_t maxOldBytes);
// The whole new content, whatever the old one was.
void writeFile(const std::string& path, std::string_view bytes);

} // namespace qolmex
