#pragma once
// The parts of a Linux system the doctor reads, under a root folder that tests lay out.

#include "DoctorSetup.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qolmex::cli {

class SystemRoot {
public:
    explicit SystemRoot(const DoctorSetup& setup);

    // The path of an absolute system path ("/sys/...") under the root.
    std::filesystem::path path(const std::string& absolute) const;
    bool exists(const std::string& absolute) const;
    // The file's first line without surrounding white space; empty when it cannot be read.
    std::string firstLine(const std::string& absolute) const;
    std::string contents(const std::string& absolute) const;
    // Names in a folder (not . and ..), sorted; none when it cannot be read.
    std::vector<std::string> list(const std::string& absolute) const;

    const SystemUser& user() const { return user_; }
    // From the group database; the number itself when it is not there.
    std::string groupName(unsigned gid) const;
    // The programs running (their /proc name) with their process ids.
    struct Process {
        std::string name;
        long pid;
    };
    std::vector<Process> processes() const;
    // The first process with this device open, as its file descriptors show it.
    std::optional<Process> holderOf(const std::string& device) const;

private:
    std::string root_;
    SystemUser user_;
};

} // namespace qolmex::cli
