#pragma once

#include "ConfigurationObserver.h"
#include "FieldDef.h"
#include "FixedPoint.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qolmex {

// Every setting of one unit, each a named field built from the field table. This record is
// the single store: the window, the file and the transfers all read and write it here, and
// it keeps the number lists gapless before any setter returns.
class Configuration {
public:
    Configuration();
    // A copy holds the same values but none of the observers.
    Configuration(const Configuration& other);
    Configuration& operator=(const Configuration&) = delete;

    std::size_t size() const { return fields_.size(); }
    const FieldDef& definition(FieldId id) const { return fields_.at(id).def; }

    // Lookup by name ignores letter case; a name that is no field finds nothing.
    std::optional<FieldId> find(std::string_view name) const;
    // For the program's own names: throws std::out_of_range when there is no such field.
    FieldId id(std::string_view name) const;
    FieldId position(ListId list, int position) const;

    // Texts of phone numbers, SMS texts, DTMF codes and whole numbers are bytes, kept exactly.
    const std::string& text(FieldId id) const { return fields_.at(id).text; }
    void setText(FieldId id, std::string_view text);

    // Only number-list positions are ever disabled.
    bool isEnabled(FieldId id) const { return fields_.at(id).enabled; }

    // Polarity buttons: choosing one unchooses the other of the same input.
    bool isChosen(FieldId id) const { return fields_.at(id).chosen; }
    void setChosen(FieldId id, bool chosen);

    // Whole numbers: the value read from the text (the minimum when it is not a number), and
    // a new value limited to the field's range and written in its shortest form.
    Fixed value(FieldId id) const;
    void setValue(FieldId id, Fixed value);

    // The same by name, for readable callers.
    const std::string& text(std::string_view name) const { return text(id(name)); }
    void setText(std::string_view name, std::string_view text) { setText(id(name), text); }
    bool isEnabled(std::string_view name) const { return isEnabled(id(name)); }
    bool isChosen(std::string_view name) const { return isChosen(id(name)); }
    void setChosen(std::string_view name, bool chosen) { setChosen(id(name), chosen); }
    Fixed value(std::string_view name) const { return value(id(name)); }
    void setValue(std::string_view name, Fixed v) { setValue(id(name), v); }

    void addObserver(ConfigurationObserver& observer);
    void removeObserver(ConfigurationObserver& observer);

    // Same texts, enabled states and choices.
    friend bool operator==(const Configuration& a, const Configuration& b);

private:
    struct Field {
        const FieldDef& def;
        std::string text;
        bool enabled = true;
        bool chosen = false;
    };

    void applyListRule(ListId list);
    void notify(FieldId id);

    std::vector<Field> fields_;
    std::unordered_map<std::string, FieldId> byLowerName_;
    std::vector<std::vector<FieldId>> listPositions_; // per list, position 1 first
    std::vector<ConfigurationObserver*> observers_;
};

} // namespace qolmex
