#pragma once
// File names are UTF-8 strings throughout the program. std::filesystem reads a plain string
// in the system's narrow encoding, which on Windows is the ANSI code page and cannot hold
// every letter, so names cross over to paths only through these two.

#include <filesystem>
#include <string>

namespace qolmex {

inline std::filesystem::path utf8Path(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

inline std::string utf8Name(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

} // namespace qolmex
