#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qolmex::cli {

// Who runs the doctor: whether they may open a port depends on it.
struct SystemUser {
    unsigned uid = 0;
    std::string name;
    std::vector<unsigned> groups; // every group id, the primary one included
};

// What the doctor looks at. By default the system it runs on; tests lay out a folder that
// stands for / (with sys/, proc/, dev/, run/udev/, etc/udev/, usr/lib/udev/, etc/group) and
// say who the user is.
struct DoctorSetup {
#if defined(_WIN32)
    bool windowsChecks = true;
#else
    bool windowsChecks = false;
#endif
    std::string systemRoot;         // empty: the real one
    std::optional<SystemUser> user; // none: this process's user
    std::string vendorLibrary;      // empty: the vendor library by its usual name
};

} // namespace qolmex::cli
