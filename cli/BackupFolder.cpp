#include "BackupFolder.h"

#include <cstdlib>
#include <filesystem>

namespace qolmex::cli {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string defaultBackupFolder() {
    std::filesystem::path base;
#ifdef _WIN32
    base = environment("LOCALAPPDATA");
#else
    base = environment("XDG_DATA_HOME");
    if (base.empty() || base.is_relative()) { // a relative one is to be ignored
        const std::string home = environment("HOME");
        if (home.empty())
            return {};
        base = std::filesystem::path(home) / ".local" / "share";
    }
#endif
    if (base.empty())
        return {};
    return (base / "qolmex70" / "backups").string();
}

} // namespace qolmex::cli
