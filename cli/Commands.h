#pragma once

#include "Cli.h"
#include "CommandLine.h"
#include "Report.h"
#include "UnitAccess.h"
#include "UnitProgramming.h"
#include "UnitSession.h"

#include <memory>

namespace qolmex {
class Configuration;
}

namespace qolmex::cli {

// What every command works with.
struct CommandContext {
    CliEnvironment& env;
    const CommandLine& line;
    Report& report;

    UnitAccess& access();
    // The unit the options name, or the first bridge described as the unit's, as the device
    // list shows it; an empty entry when the list does not show it (Connect then looks by
    // serial number or description, and says what it finds).
    BridgeEntry chooseUnit();
    // A bridge the options allow: the one with the serial number asked for, else any with
    // the unit's description (--port lists no other).
    bool isWanted(const BridgeEntry& bridge) const;
    // A progress line, when standard error is a terminal and nobody asked for quiet.
    ProgressLine* progress();
    // Turns a failed transfer into the report; true when it was not one.
    bool check(const TransferOutcome& outcome);
    bool text() const { return !line.json; }
    // Backup, folder and read-back as the options say.
    ProgrammingOptions programmingOptions() const;

    std::unique_ptr<UnitAccess> access_;
    std::unique_ptr<ProgressLine> progress_;
};

// The exit codes.
inline constexpr int exitOk = 0;
inline constexpr int exitDiffers = 1;
inline constexpr int exitUsage = 2;
inline constexpr int exitNoUnit = 3;
inline constexpr int exitTransfer = 4;
inline constexpr int exitReadBack = 5;
inline constexpr int exitInterrupted = 130;

void listCommand(CommandContext& context);
void readCommand(CommandContext& context);
void sendCommand(CommandContext& context);
void verifyCommand(CommandContext& context);
void diffCommand(CommandContext& context);
void showCommand(CommandContext& context);
void checkCommand(CommandContext& context);
void imageCommand(CommandContext& context);
void batchCommand(CommandContext& context);
void sheetCommand(CommandContext& context);
void doctorCommand(CommandContext& context);

// Values on a terminal: quoted, through the Windows-1250 table, control bytes escaped.
std::string shownValue(const std::string& bytes);
void printDifferences(CommandContext& context, const std::vector<Difference>& differences);
// Prints them and ends the command with "same" (0) or "differs" (1).
void reportDifferences(CommandContext& context, std::vector<Difference> differences);

} // namespace qolmex::cli

namespace qolmex::cli {

// Reads the unit the options name into config; false (with the report filled in) when the
// read failed.
bool readFromUnit(CommandContext& context, Configuration& config, RawImage& raw,
                  const char* phase);
// A .kvx file, a .bin image or the word "unit"; false (with the report filled in) when it
// cannot be had.
bool loadSettings(CommandContext& context, const std::string& source, Configuration& config);

} // namespace qolmex::cli
