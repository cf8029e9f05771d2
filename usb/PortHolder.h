#pragma once
// Who holds a serial port and who may open it, from the file system: the port's owning
// group for a refused open, and the program holding it (from /proc/*/fd) for a busy one.

#include "usb/OpenFailureTexts.h"

#include <optional>
#include <string>

namespace qolmex {

// The name of the group that owns path; empty when it cannot be told.
std::string portGroupName(const std::string& path);
// The first process with path open, where this user may look (other users' fds are hidden).
std::optional<PortHolder> findPortHolder(const std::string& path,
                                         const std::string& procRoot = "/proc");
// The first process whose open files (procRoot/<pid>/fd) lead to exactly this path.
std::optional<PortHolder> findProcessWithOpen(const std::string& path, const std::string& procRoot);

} // namespace qolmex
