#include "ProfileLine.h"

namespace qolmex {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

ProfileLine ProfileLine::parse(std::string_view line) {
    const std::string_view text = trimmed(line);
    if (text.empty() || text.front() == ';')
        return {};
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string_view::npos)
            return {};
        return {Kind::Section, trimmed(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return {};
    const std::string_view key = trimmed(text.substr(0, equals));
    if (key.empty())
        return {};
    return {Kind::Entry, key, text.substr(equals + 1)};
}

std::string profileValue(std::string_view raw) {
    std::string_view value = trimmed(raw.substr(0, raw.find('\0')));
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, maxProfileValue));
}

} // namespace qolmex
