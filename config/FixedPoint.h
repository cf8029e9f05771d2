#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace qolmex {

// A number field's value: a signed count of ten-thousandths. The field's text is the only
// store of it; these functions read and write that text.
using Fixed = std::int64_t;
inline constexpr Fixed fixedScale = 10000;

constexpr Fixed fixedFromWhole(std::int64_t whole) {
    return whole * fixedScale;
}

// Reads a decimal number: blanks around it, an optional sign, digits with an optional "."
// and fraction (rounded to four places). Anything else, the empty text included, and numbers
// beyond the 64-bit range are not numbers.
std::optional<Fixed> parseFixed(std::string_view text);

// The value of a field's text: the number, or the minimum when the text is not a number.
inline Fixed valueOfText(std::string_view text, Fixed minValue) {
    return parseFixed(text).value_or(minValue);
}

// Equal limits mean no limits.
constexpr Fixed clampFixed(Fixed v, Fixed minValue, Fixed maxValue) {
    if (minValue == maxValue)
        return v;
    return v < minValue ? minValue : (v > maxValue ? maxValue : v);
}

// A step that would leave the 64-bit range stops at its end instead, so a huge text stepped
// up still ends at the field's maximum.
constexpr Fixed addSaturated(Fixed a, Fixed b) {
    Fixed sum = 0;
    if (__builtin_add_overflow(a, b, &sum))
        return b > 0 ? std::numeric_limits<Fixed>::max() : std::numeric_limits<Fixed>::min();
    return sum;
}
constexpr Fixed subtractSaturated(Fixed a, Fixed b) {
    Fixed difference = 0;
    if (__builtin_sub_overflow(a, b, &difference))
        return b < 0 ? std::numeric_limits<Fixed>::max() : std::numeric_limits<Fixed>::min();
    return difference;
}

// The shortest text of a value: "0", "255", "-1", "2.5".
std::string formatFixed(Fixed v);

} // namespace qolmex
