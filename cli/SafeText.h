#pragma once

#include <string>
#include <string_view>

namespace qolmex::cli {

// A text from a unit, a bridge or a file as it may go to a terminal: no byte below 32 and no
// 127 passes, so one difference stays on one line and a text cannot move the cursor or clear
// the screen. They are shown escaped ("\r\n", "\x1b"), a backslash as "\\" so that the
// escapes stay unambiguous.
std::string terminalText(std::string_view utf8);

// Well-formed UTF-8, as JSON must be: each byte that is not part of a well-formed sequence
// (a file name in another encoding, say) becomes U+FFFD.
std::string validUtf8(std::string_view bytes);

} // namespace qolmex::cli
