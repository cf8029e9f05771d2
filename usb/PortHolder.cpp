#include "usb/PortHolder.h"

#include <filesystem>
#include <fstream>

#include <grp.h>
#include <sys/stat.h>

namespace qolmex {

namespace fs = std::filesystem;

namespace {

std::optional<PortHolder> scanForHolder(const fs::path& wanted, const fs::path& procRoot) {
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator(procRoot, error)) {
        const std::string pid = process.path().filename().string();
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos)
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

std::string portGroupName(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return {};
    const group* owner = ::getgrgid(info.st_gid);
    return owner != nullptr ? std::string(owner->gr_name) : std::to_string(info.st_gid);
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
