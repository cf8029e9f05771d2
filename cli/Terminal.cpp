#include "Terminal.h"

#include <clocale>

#ifdef _WIN32
#include <cstdio>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace qolmex::cli {

bool standardErrorIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

// Windows tells its reasons (FormatMessageW) in the user's language already.
void useLocaleOfEnvironment() {
#ifndef _WIN32
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
#endif
}

void prepareConsole() {
#ifdef _WIN32
    SetConsoleOutputCP(CP_UTF8);
#endif
}

} // namespace qolmex::cli
