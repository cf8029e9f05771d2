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

struct BackupResult {
    std::string kvx;     // the name of the .kvx kept, empty when none was
    std::string failure; // why not, in the user's language
};

// Keeps a unit's memory as <serial>-<YYYYMMDD-HHMMSS>.kvx and .bin in the folder, never over
// another file: a name taken gets -2, -3, ... The serial number enters the name only in its
// safe form (safeFileName). Nothing is left of a backup that could not be written whole.
BackupResult keepBackup(const std::string& folder, const std::string& serialNumber,
                        const Timestamp& when, const Configuration& config, const RawImage& raw);
std::string safeFileName(const std::string& serialNumber);

} // namespace qolmex::cli
