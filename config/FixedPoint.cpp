#include "FixedPoint.h"

#include <limits>

namespace qolmex {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::optional<Fixed> parseFixed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }

    // The magnitude in ten-thousandths, kept unsigned so that the most negative value fits.
    constexpr std::uint64_t limit = std::uint64_t{1} << 63;
    std::uint64_t magnitude = 0;
    bool anyDigit = false;
    std::size_t i = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
        if (magnitude > limit / fixedScale)
            return std::nullopt;
        anyDigit = true;
    }
    magnitude *= fixedScale;

    if (i < text.size() && text[i] == '.') {
        ++i;
        std::uint64_t place = fixedScale / 10;
        bool roundUp = false;
        for (bool first = true; i < text.size() && isDigit(text[i]); ++i) {
            const auto digit = static_cast<unsigned>(text[i] - '0');
            if (place > 0) {
                magnitude += digit * place;
                place /= 10;
            } else if (first) {
                roundUp = digit >= 5; // only the fifth decimal decides
                first = false;
            }
            anyDigit = true;
        }
        if (roundUp)
            ++magnitude;
    }

    if (!anyDigit || i != text.size())
        return std::nullopt;
    if (magnitude > limit || (!negative && magnitude == limit))
        return std::nullopt;
    if (negative)
        return magnitude == limit ? std::numeric_limits<Fixed>::min()
                                  : -static_cast<Fixed>(magnitude);
    return static_cast<Fixed>(magnitude);
}

std::string formatFixed(Fixed v) {
    const bool negative = v < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t{0} - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string text = std::to_string(magnitude / fixedScale);
    std::uint64_t fraction = magnitude % fixedScale;
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction + fixedScale).substr(1);
        while (decimals.back() == '0')
            decimals.pop_back();
        text += '.' + decimals;
    }
    return negative ? '-' + text : text;
}

} // namespace qolmex
