#pragma once

namespace qolmex::cli {

// Whether standard error is a terminal, where a progress line may redraw itself.
bool standardErrorIsTerminal();
// Texts go out as UTF-8; a Windows console is told so once at start.
void prepareConsole();
// The system's own texts (the reason a port or file failed) in the user's language, as in the
// window; numbers keep their decimal point, since JSON and the CSV log need it.
void useLocaleOfEnvironment();

} // namespace qolmex::cli
