#pragma once

#include "config/Configuration.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace qolmex {

// Why a configuration cannot go into the unit, in a form the window turns into its message.
struct ValidationError {
    enum class Reason {
        TooLong,        // the text has more bytes than `limit`
        NotWholeNumber, // empty, letters or a fraction; the range is in `min`/`max`
        NotInRange,     // a whole number outside `min`..`max`
    };

    FieldId field = 0;
    std::string name; // the field's own spelling
    Reason reason = Reason::TooLong;
    std::size_t limit = 0;
    std::size_t length = 0; // of the text too long
    std::int64_t min = 0;
    std::int64_t max = 0;

    friend bool operator==(const ValidationError&, const ValidationError&) = default;
};

// Thrown by the encoder when handed a configuration that did not pass validation.
class InvalidConfiguration : public std::invalid_argument {
public:
    explicit InvalidConfiguration(ValidationError error);
    const ValidationError& error() const { return error_; }

private:
    ValidationError error_;
};

// The value of a whole-number text ("7", " 7", "7.0"), or nothing for "", "abc" or "2.5".
std::optional<std::int64_t> wholeNumberOf(std::string_view text);

// Checks everything the image cannot carry: a text too long for its block or area, a number
// that is not whole or outside its field's range. Names the first such field in the order
// the blocks are written, or nothing when the configuration can be sent.
std::optional<ValidationError> validateForUnit(const Configuration& config);

} // namespace qolmex
