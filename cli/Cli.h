#pragma once

#include "DoctorSetup.h"
#include "LocalTime.h"

#include <chrono>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace qolmex::cli {

struct CommandLine;
class UnitAccess;

// Everything the command line takes from the world around it, so tests can hand in their
// own streams, virtual units, clock and Ctrl+C.
struct CliEnvironment {
    CliEnvironment(std::ostream& output, std::ostream& errors) : out(output), err(errors) {}

    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
    // How many times Ctrl+C has been pressed; asked from every transfer's thread.
    std::function<unsigned()> interrupted;
    std::function<Timestamp()> now = localNow;
    std::string backupFolder; // the default one; empty when the system names none
    // The units the options name; by default the real bridges or the built-in virtual unit.
    std::function<std::unique_ptr<UnitAccess>(const CommandLine&)> makeAccess;
    // How production mode waits between two looks at the device list.
    std::function<void(std::chrono::milliseconds)> sleep;
    // What the doctor looks at: by default this system.
    DoctorSetup doctor;
};

// Runs one command line (the arguments after the program's name) and returns its exit code.
int runCli(const std::vector<std::string>& arguments, CliEnvironment& environment);

} // namespace qolmex::cli
