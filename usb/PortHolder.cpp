#include "usb/PortHolder.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qolmex {

namespace fs = std::filesystem;

namespace {

// This program holds its own ports too (another unit of a batch, a watched port); it is not
// the other program the user is to close.
std::optional<PortHolder> scanForHolder(const fs::path& wanted, const fs::path& procRoot) {
    std::error_code error;
    const std::string self = std::to_string(::getpid());
    for (const fs::directory_entry& process : fs::directory_iterator(procRoot, error)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == self)
            continue;
        std::error_code fdError;
        for (const fs::directory_entry& fd :
             fs::directory_iterator(process.path() / "fd", fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError) != wanted || linkError)
                continue;
            std::string name;
            std::ifstream comm(process.path() / "comm");
            std::getline(comm, name);
            return PortHolder{name, static_cast<pid_t>(std::stol(pid))};
        }
    }
    return std::nullopt;
}

} // namespace

// getgrgid_r, since jobs of a batch may ask at the same time.
std::string portGroupName(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    group entry{};
    group* owner = nullptr;
    std::vector<char> buffer(1024);
    int error = 0;
    while ((error = ::getgrgid_r(info.st_gid, &entry, buffer.data(), buffer.size(), &owner)) ==
               ERANGE &&
           buffer.size() < (1u << 20))
        buffer.resize(buffer.size() * 2);
    return error == 0 && owner != nullptr ? std::string(owner->gr_name)
                                          : std::to_string(info.st_gid);
}

std::optional<PortHolder> findPortHolder(const std::string& path, const std::string& procRoot) {
    std::error_code error;
    const fs::path wanted = fs::canonical(path, error);
    if (error)
        return std::nullopt;
    return findProcessWithOpen(wanted.string(), procRoot);
}

std::optional<PortHolder> findProcessWithOpen(const std::string& path, const std::string& procRoot) {
    // Processes come and go while we look; one that vanishes mid-walk just ends the search.
    try {
        return scanForHolder(path, procRoot);
    } catch (const fs::filesystem_error&) {
        return std::nullopt;
    }
}

} // namespace qolmex
