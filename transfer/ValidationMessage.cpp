#include "ValidationMessage.h"

#include "config/Captions.h"
#include "config/FieldDef.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/FieldLabel.h"

namespace qolmex {
namespace {

// The field as the window names it, which the window has just brought into view; a field
// the window never shows (a DTMF code from a file) by its label.
std::string fieldNamed(const ValidationError& error) {
    const std::string place = captions::placeName(fieldTable().at(error.field));
    return place.empty() ? fieldLabel(error.name) : "Pole „" + place + "“";
}

} // namespace

std::string validationMessage(const ValidationError& error) {
    const std::string field = fieldNamed(error);
    if (error.reason == ValidationError::Reason::TooLong)
        return field + " má " + std::to_string(error.length) +
               " znakov, zariadenie ich uloží najviac " + std::to_string(error.limit) + ".";
    return field + " musí obsahovať celé číslo od " + std::to_string(error.min) + " do " +
           std::to_string(error.max) + ", iné zariadenie neprijme.";
}

} // namespace qolmex
