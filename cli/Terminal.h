#pragma once

namespace qolmex::cli {

// Whether standard error is a terminal, where a progress line may redraw itself.
bool standardErrorIsTerminal();
// Texts go out as UTF-8; a Windows console is told so once at start.
void prepareConsole();

} // namespace qolmex::cli
