#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace qolmex {

struct ProfileKey {
    std::string section;
    std::string key;
};

// Reads the values of a few known entries from a sectioned text file fed in pieces of any
// size. Only the wanted entries are kept, so a file of any length reads in one pass and in
// bounded memory. Names match ignoring case; the first section of a name and the first key
// of a name in it count, as with the platform's profile functions.
class ProfileReader {
public:
    // The keys must be distinct.
    explicit ProfileReader(const std::vector<ProfileKey>& wanted);

    void feed(std::string_view bytes);
    // Takes a last line that has no line end.
    void finish();

    // The value of wanted[index]; empty when the file does not hold it.
    const std::string& value(std::size_t index) const { return values_.at(index); }

    // For one value of a file held whole.
    static std::string read(std::string_view bytes, std::string_view section, std::string_view key);

    // Longer lines are cut here: a key and a value of the longest length read fit many times.
    static constexpr std::size_t maxLine = 1 << 20;

private:
    using KeyIndex = std::unordered_map<std::string, std::size_t>;

    void take(std::string_view line);

    std::unordered_map<std::string, KeyIndex> sections_; // lower-case names; keys still unread
    std::unordered_set<std::string> entered_;            // wanted sections met so far
    KeyIndex* current_ = nullptr;                        // null outside a wanted first section
    std::vector<std::string> values_;
    std::string pending_; // the start of a line not yet ended
    bool firstLine_ = true;
    std::string lower_;   // reused for lower-casing names
};

} // namespace qolmex
