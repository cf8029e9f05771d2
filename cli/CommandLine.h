#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qolmex::cli {

// What the user asked for, as parsed from the arguments.
struct CommandLine {
    std::string serial;             // --serial SN
    std::string port;               // --port PATH
    bool virtualUnit = false;       // --virtual[=FILE.bin]
    std::string virtualMemoryFile;
    std::string virtualReplay;      // --virtual-replay=FILE: the unit's side of a trace
    std::string trace;              // --trace FILE
    bool json = false;
    bool quiet = false;
    bool help = false;
    bool version = false;

    std::string command;
    std::vector<std::string> arguments; // the command's own, besides its options
    std::string output;                 // -o
    std::string image;                  // --image
    bool noBackup = false;
    bool noVerify = false;
    std::string backupDir;
    std::string log;
    std::optional<unsigned> count;
};

struct ParsedCommandLine {
    CommandLine line;
    std::string error; // a usage error, in the user's language; empty when none
};

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

} // namespace qolmex::cli
