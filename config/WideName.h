#pragma once
// Windows: the program's file names are UTF-8 everywhere, the file interface takes UTF-16.
// Only the Windows file access uses these.

#if defined(_WIN32)

#include <string>

namespace qolmex::fileaccess {

// Bytes that are not UTF-8 give an empty name, which no file has.
std::wstring wideName(const std::string& utf8);
std::string utf8Name(const std::wstring& wide);

} // namespace qolmex::fileaccess

#endif
