#pragma once

#include "FieldKind.h"
#include "NumberList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qolmex {

// One row of the field table: everything fixed about a field.
struct FieldDef {
    std::string name; // the field's own spelling, also its key in a .kvx file
    FieldKind kind = FieldKind::PhoneNumber;
    std::string section;        // the .kvx section that holds the field
    std::optional<ListId> list; // set for the positions of a number list
    int listNumber = 0;         // 1 or 2 for POV/POO/PZS/TCV positions, 0 otherwise
    int position = 0;           // 1-based position in its list
    int number = 0;             // output or input number of a per-output/per-input field
    int typingLimit = 0;        // most characters the user may type
    std::int64_t minValue = 0;  // whole numbers, in whole units
    std::int64_t maxValue = 0;
    std::string initialText;
    int choice = 0; // polarity: 1 "Spínací", 2 "Rozpínací"
    bool initiallyChosen = false;
};

// Every field, in the order the .kvx file writes them (207 entries in 20 sections).
const std::vector<FieldDef>& fieldTable();

} // namespace qolmex
