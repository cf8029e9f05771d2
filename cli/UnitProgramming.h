#pragma once

#include "LocalTime.h"
#include "SettingsDiff.h"
#include "UnitSession.h"

#include <functional>
#include <string>
#include <vector>

namespace qolmex {
class Configuration;
}

namespace qolmex::cli {

// How one unit is programmed: what it held is kept first, then the configuration goes in,
// then it is read back and compared block by block.
struct ProgrammingOptions {
    bool backup = true;
    bool verify = true;
    std::string backupFolder;
    std::function<Timestamp()> now = localNow;
};

struct ProgrammingResult {
    std::string result = "ok"; // ok, differs, failed, interrupted
    int exit = 0;
    std::string message;
    std::string backup; // the .kvx of the backup, when one was kept
    std::vector<Difference> differences; // when the read-back differs

    bool ok() const { return exit == 0; }
};

// The exit code and result word of a failed transfer; nothing for a successful one.
ProgrammingResult resultOf(const TransferOutcome& outcome);

// Safe on any thread with a session of its own. The configuration must be sendable.
ProgrammingResult programUnit(UnitSession& session, const std::string& serialNumber,
                              const Configuration& config, const ProgrammingOptions& options);

// Keeps a unit's memory as <serial>-<YYYYMMDD-HHMMSS>.kvx and .bin in the folder; returns the
// .kvx name, or empty when it could not be written.
std::string keepBackup(const std::string& folder, const std::string& serialNumber,
                       const Timestamp& when, const Configuration& config, const RawImage& raw);

} // namespace qolmex::cli
