#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qolmex {

// One line of a sectioned text file ("[section]", "key=value", anything else), as the
// platform's profile functions understand it.
struct ProfileLine {
    enum class Kind { Section, Entry, Other };

    Kind kind = Kind::Other;
    std::string_view name;  // the section name or the key, blanks trimmed
    std::string_view value; // of an entry: everything after the first "=" (outer blanks trimmed)

    static ProfileLine parse(std::string_view line);
};

// The value as a reader gets it: up to a NUL byte (the platform hands out C strings), blanks
// trimmed, one pair of matching surrounding quotes removed, at most 2047 characters.
std::string profileValue(std::string_view raw);

inline constexpr std::size_t maxProfileValue = 2047;

// The first line of a file without a UTF-8 byte-order mark, which editors put before the first
// section and which would otherwise hide it.
constexpr std::string_view withoutByteOrderMark(std::string_view firstLine) {
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    return firstLine.starts_with(mark) ? firstLine.substr(mark.size()) : firstLine;
}

// Calls onLine(text, ending) for every line of bytes; the ending is "\r\n", "\n", or empty for
// a last line without one. A CR not followed by LF stays part of the text.
template <typename OnLine> void forEachLine(std::string_view bytes, OnLine&& onLine) {
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        if (lf == std::string_view::npos) {
            onLine(bytes, std::string_view());
            return;
        }
        const std::size_t end = lf > 0 && bytes[lf - 1] == '\r' ? lf - 1 : lf;
        onLine(bytes.substr(0, end), bytes.substr(end, lf + 1 - end));
        bytes.remove_prefix(lf + 1);
    }
}

} // namespace qolmex
