#pragma once

#include <string>
#include <vector>

namespace qolmex::cli {

// The program's arguments after its name, as UTF-8. Windows hands main() its arguments in
// the ANSI code page, where a file name with "č" may not survive; they are taken from the
// wide command line there.
std::vector<std::string> commandArguments(int argc, char** argv);

} // namespace qolmex::cli
