#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qolmex {

// Texts are bytes from a unit or a file; they are shown as Windows-1250 so that
// Slovak letters read right. The five bytes that code page leaves undefined (0x81, 0x83,
// 0x88, 0x90, 0x98) show as the character with the same number, so every byte maps to its
// own character and back.
char16_t windows1250ToUnicode(unsigned char byte);
// The byte of a character, or nothing when the code page has no byte for it.
std::optional<unsigned char> unicodeToWindows1250(char16_t c);

std::u16string decodeWindows1250(std::string_view bytes);
// A character the code page cannot hold (only a paste can bring one) becomes "?".
std::string encodeWindows1250(std::u16string_view text);

// The same characters as UTF-8, for a terminal or a JSON document.
std::string windows1250ToUtf8(std::string_view bytes);

} // namespace qolmex
