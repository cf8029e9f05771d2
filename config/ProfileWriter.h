#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qolmex {

// Writes entries into a sectioned text file held in memory, as the platform's profile
// functions would one by one, but in one pass over the old content however many entries
// there are. An entry whose key stands in its section gets its line rewritten in place; a
// new key goes after the last entry of its section (so blank lines and comments that close a
// section stay at its end); a new section goes at the end. Names match ignoring case, the
// first section and key of a name count, and every other line keeps its bytes. Lines written
// end in CR LF.
class ProfileWriter {
public:
    // A value ends at its first line break: the rest could not be read back and would stand
    // in the file as lines of their own, even as sections and keys. Setting a key again
    // replaces its value.
    void set(std::string_view section, std::string_view key, std::string_view value);

    std::string apply(std::string_view old) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
        std::unordered_map<std::string, std::size_t> byLowerKey;
    };
    struct Plan; // where each entry lands in the old content

    Plan plan(std::string_view old) const;

    std::vector<Section> sections_; // in the order of their first set
    std::unordered_map<std::string, std::size_t> byLowerSection_;
};

} // namespace qolmex
