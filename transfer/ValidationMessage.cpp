#include "ValidationMessage.h"

#include "transfer/ConfigurationValidator.h"
#include "transfer/FieldLabel.h"

namespace qolmex {

std::string validationMessage(const ValidationError& error) {
    const std::string label = fieldLabel(error.name);
    if (error.reason == ValidationError::Reason::TooLong)
        return label + " môže mať najviac " + std::to_string(error.limit) + " znakov !";
    return label + " musí byť číslo od " + std::to_string(error.min) + " do " +
           std::to_string(error.max) + " !";
}

} // namespace qolmex
