#pragma once

#include <cstddef>

namespace qolmex {

using FieldId = std::size_t;

// Told after a field's text, enabled state or choice has changed. An observer reads the new
// state back from the record; it must not change the record from inside the call.
class ConfigurationObserver {
public:
    virtual ~ConfigurationObserver() = default;
    virtual void fieldChanged(FieldId id) = 0;
};

} // namespace qolmex
