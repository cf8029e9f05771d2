#include "ConfigurationValidator.h"

#include "MemoryImage.h"

namespace qolmex {
namespace {

std::optional<ValidationError> checkLength(const Configuration& config, FieldId id,
                                           std::size_t limit) {
    if (config.text(id).size() <= limit)
        return std::nullopt;
    ValidationError error;
    error.field = id;
    error.name = config.definition(id).name;
    error.reason = ValidationError::Reason::TooLong;
    error.limit = limit;
    error.length = config.text(id).size();
    return error;
}

std::optional<ValidationError> checkWholeNumber(const Configuration& config, FieldId id) {
    const FieldDef& def = config.definition(id);
    const auto value = wholeNumberOf(config.text(id));
    if (value && *value >= def.minValue && *value <= def.maxValue)
        return std::nullopt;
    ValidationError error;
    error.field = id;
    error.name = def.name;
    error.reason = value ? ValidationError::Reason::NotInRange
                         : ValidationError::Reason::NotWholeNumber;
    error.min = def.minValue;
    error.max = def.maxValue;
    return error;
}

} // namespace

InvalidConfiguration::InvalidConfiguration(ValidationError error)
    : std::invalid_argument("configuration cannot be sent: " + error.name),
      error_(std::move(error)) {}

std::optional<std::int64_t> wholeNumberOf(std::string_view text) {
    const auto value = parseFixed(text);
    if (!value || *value % fixedScale != 0)
        return std::nullopt;
    return *value / fixedScale;
}

std::optional<ValidationError> validateForUnit(const Configuration& config) {
    for (const NumberList& list : numberLists)
        for (int k = 1; k <= list.size; ++k)
            if (auto error = checkLength(config, config.position(list.id, k), image::phoneCapacity))
                return error;
    for (const NamedBlock& dtmf : dtmfBlocks)
        if (auto error = checkLength(config, config.id(dtmf.field), image::phoneCapacity))
            return error;
    for (const SettingsNumber& number : settingsNumbers)
        if (auto error = checkWholeNumber(config, config.id(number.field)))
            return error;
    for (const NamedBlock& area : smsAreas)
        if (auto error = checkLength(config, config.id(area.field), image::smsCapacity))
            return error;
    return std::nullopt;
}

} // namespace qolmex
