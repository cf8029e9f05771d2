#include "HtmlText.h"

#include "Windows1250.h"

namespace qolmex {
namespace {

constexpr std::string_view replacement = "\xEF\xBF\xBD"; // U+FFFD

// The entity of a character HTML reads as markup, or nothing.
std::string_view entityOf(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    case '\'':
        return "&#39;";
    default:
        return {};
    }
}

bool isControl(char16_t c) {
    return (c < 0x20 && c != '\t' && c != '\n') || (c >= 0x7F && c <= 0x9F);
}

} // namespace

std::string htmlEscaped(std::string_view utf8) {
    std::string html;
    html.reserve(utf8.size());
    for (char c : utf8) {
        const std::string_view entity = entityOf(c);
        if (entity.empty())
            html.push_back(c);
        else
            html.append(entity);
    }
    return html;
}

std::string htmlText(std::string_view bytes) {
    std::string html;
    html.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char b = bytes[i];
        if (b == '\r') {
            html.push_back('\n');
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else if (isControl(windows1250ToUnicode(static_cast<unsigned char>(b)))) {
            html.append(replacement);
        } else if (const std::string_view entity = entityOf(b); !entity.empty()) {
            html.append(entity);
        } else {
            html.append(windows1250ToUtf8(bytes.substr(i, 1)));
        }
    }
    return html;
}

} // namespace qolmex
