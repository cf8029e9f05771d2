#include "BackupFolder.h"

#include "config/Utf8Path.h"

#include <cstdlib>
#include <filesystem>

namespace qolmex::cli {
namespace {

#ifdef _WIN32
// The wide form, since the narrow one loses letters outside the ANSI code page.
std::filesystem::path environment(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}
#else
std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
#endif

} // namespace

std::string defaultBackupFolder() {
    std::filesystem::path base;
#ifdef _WIN32
    base = environment(L"LOCALAPPDATA");
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
    return utf8Name(base / "qolmex70" / "backups");
}

} // namespace qolmex::cli
