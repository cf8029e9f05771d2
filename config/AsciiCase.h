#pragma once

#include <string>
#include <string_view>

namespace qolmex {

// Field names, section names and keys compare ignoring letter case, but only of the ASCII
// letters: bytes above 127 belong to no fixed code page, so they must match exactly.
inline char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

} // namespace qolmex
