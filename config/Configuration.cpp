#include "Configuration.h"

#include "AsciiCase.h"

#include <algorithm>
#include <stdexcept>

namespace qolmex {

Configuration::Configuration() : listPositions_(numberLists.size()) {
    const auto& table = fieldTable();
    fields_.reserve(table.size());
    for (FieldId id = 0; id < table.size(); ++id) {
        const FieldDef& def = table[id];
        fields_.push_back(Field{def, def.initialText, true, def.initiallyChosen});
        byLowerName_.emplace(lowerAscii(def.name), id);
        if (def.list)
            listPositions_[static_cast<std::size_t>(*def.list)].push_back(id);
    }
    for (const NumberList& list : numberLists)
        applyListRule(list.id);
}

Configuration::Configuration(const Configuration& other)
    : fields_(other.fields_), byLowerName_(other.byLowerName_),
      listPositions_(other.listPositions_) {}

std::optional<FieldId> Configuration::find(std::string_view name) const {
    const auto it = byLowerName_.find(lowerAscii(name));
    if (it == byLowerName_.end())
        return std::nullopt;
    return it->second;
}

FieldId Configuration::id(std::string_view name) const {
    if (const auto found = find(name))
        return *found;
    throw std::out_of_range("no configuration field named " + std::string(name));
}

FieldId Configuration::position(ListId list, int position) const {
    return listPositions_.at(static_cast<std::size_t>(list))
        .at(static_cast<std::size_t>(position - 1));
}

void Configuration::setText(FieldId id, std::string_view text) {
    Field& field = fields_.at(id);
    if (field.def.kind == FieldKind::Polarity)
        throw std::logic_error(field.def.name + " holds no text");
    if (field.text == text)
        return;
    field.text = std::string(text);
    notify(id);
    if (field.def.list)
        applyListRule(*field.def.list);
}

// Computes the rule's end state directly: with k the first empty position, positions 1..k
// are enabled, and every position after k is disabled and empty.
void Configuration::applyListRule(ListId list) {
    const auto& positions = listPositions_[static_cast<std::size_t>(list)];
    std::size_t firstEmpty = positions.size();
    for (std::size_t p = 0; p < positions.size(); ++p) {
        if (fields_[positions[p]].text.empty()) {
            firstEmpty = p;
            break;
        }
    }
    for (std::size_t p = 0; p < positions.size(); ++p) {
        Field& field = fields_[positions[p]];
        const bool enabled = p <= firstEmpty;
        bool changed = field.enabled != enabled;
        field.enabled = enabled;
        if (!enabled && !field.text.empty()) {
            field.text.clear();
            changed = true;
        }
        if (changed)
            notify(positions[p]);
    }
}

void Configuration::setChosen(FieldId id, bool chosen) {
    Field& field = fields_.at(id);
    if (field.def.kind != FieldKind::Polarity)
        throw std::logic_error(field.def.name + " is no polarity button");
    if (field.chosen == chosen)
        return;
    field.chosen = chosen;
    notify(id);
    if (!chosen)
        return;
    for (FieldId other = 0; other < fields_.size(); ++other) {
        Field& sibling = fields_[other];
        if (other != id && sibling.def.kind == FieldKind::Polarity &&
            sibling.def.number == field.def.number && sibling.chosen) {
            sibling.chosen = false;
            notify(other);
        }
    }
}

Fixed Configuration::value(FieldId id) const {
    const Field& field = fields_.at(id);
    return valueOfText(field.text, fixedFromWhole(field.def.minValue));
}

void Configuration::setValue(FieldId id, Fixed v) {
    const FieldDef& s = definition(id);
    if (s.kind != FieldKind::WholeNumber)
        throw std::logic_error(s.name + " is no whole-number field");
    setText(id, formatFixed(clampFixed(v, fixedFromWhole(s.minValue), fixedFromWhole(s.maxValue))));
}

void Configuration::addObserver(ConfigurationObserver& observer) {
    observers_.push_back(&observer);
}

void Configuration::removeObserver(ConfigurationObserver& observer) {
    std::erase(observers_, &observer);
}

void Configuration::notify(FieldId id) {
    for (ConfigurationObserver* observer : observers_)
        observer->fieldChanged(id);
}

bool operator==(const Configuration& a, const Configuration& b) {
    return std::equal(a.fields_.begin(), a.fields_.end(), b.fields_.begin(), b.fields_.end(),
                      [](const Configuration::Field& x, const Configuration::Field& y) {
                          return x.text == y.text && x.enabled == y.enabled && x.chosen == y.chosen;
                      });
}

} // namespace qolmex
