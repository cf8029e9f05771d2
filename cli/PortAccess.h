#pragma once
// Whether a user may open a device node for reading and writing, as the kernel decides it:
// root, the owner, an entry of the access list (where logind's uaccess puts the user at the
// seat), the owning group, the others.

#include "SystemRoot.h"

#include <string>

namespace qolmex::cli {

struct PortAccess {
    bool exists = false;
    bool granted = false;
    std::string how;   // "root", "vlastník", "zoznam prístupu", "skupina dialout", "ostatní"
    std::string owner; // "root:dialout 0660", for the user to see
    std::string group; // the owning group's name, which the user could join
};

PortAccess portAccess(const SystemRoot& system, const std::string& node);

} // namespace qolmex::cli
