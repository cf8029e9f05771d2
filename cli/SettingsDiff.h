#pragma once

#include <string>
#include <vector>

namespace qolmex {
class Configuration;
struct FieldDef;
} // namespace qolmex

namespace qolmex::cli {

// One setting that differs; the values are the bytes as the configurations hold them.
struct Difference {
    std::string name;  // the field's name as in the file: "editPOV1_3"
    std::string label; // as the window labels it
    std::string a;
    std::string b;
};

// A field's value as the file writes it: its text, or "1"/"0" for a polarity button.
std::string settingValue(const Configuration& config, const FieldDef& field);

// Every field whose setting differs, in the file's order. Whole numbers compare by value
// ("07" and "7" are the same setting), everything else byte for byte.
std::vector<Difference> compareSettings(const Configuration& a, const Configuration& b);

} // namespace qolmex::cli
