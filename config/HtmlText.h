#pragma once

#include <string>
#include <string_view>

namespace qolmex {

// The program's own UTF-8 text as HTML character data: "&", "<", ">" and both quotes escaped.
std::string htmlEscaped(std::string_view utf8);

// A text of the configuration (bytes from a unit or a file) as HTML character data: through
// the Windows-1250 table, escaped, every line break (CR LF, CR or LF) one "\n", and each
// control character, which HTML may not carry, shown as U+FFFD.
std::string htmlText(std::string_view bytes);

} // namespace qolmex
