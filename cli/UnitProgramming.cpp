#include "UnitProgramming.h"

#include "CliTexts.h"
#include "Interrupt.h"
#include "SettingsFiles.h"
#include "config/Configuration.h"
#include "config/FileAccess.h"
#include "config/FileWriteError.h"
#include "config/Utf8Path.h"
#include "transfer/ImageEncoder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace qolmex::cli {
namespace {

// The written blocks against what the unit gives back.
bool sameWrittenBlocks(const Configuration& config, const RawImage& readBack) {
    const std::vector<Block> written = encodeImage(config);
    return std::all_of(written.begin(), written.end(), [&readBack](const Block& block) {
        return std::equal(block.data.begin(), block.data.end(), readBack.begin() + block.address);
    });
}

} // namespace

ProgrammingResult resultOf(const TransferOutcome& outcome) {
    ProgrammingResult r;
    r.message = outcome.message;
    switch (outcome.kind) {
    case TransferOutcome::Kind::Ok:
        r.message.clear();
        break;
    case TransferOutcome::Kind::NoUnit:
        r.result = "failed";
        r.exit = 3;
        break;
    case TransferOutcome::Kind::Failed:
        r.result = "failed";
        r.exit = 4;
        break;
    case TransferOutcome::Kind::Interrupted:
        r.result = "interrupted";
        r.exit = 130;
        break;
    }
    return r;
}

// What of a serial number may stand in a file name: letters, digits, "-" and "_"; anything
// else, a "/" or "." above all, could lead out of the folder or hide the file.
std::string safeFileName(const std::string& serialNumber) {
    std::string name = serialNumber.empty() ? std::string("unit") : serialNumber;
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 127 || (!std::isalnum(byte) && c != '-'))
            c = '_';
    }
    return name;
}

BackupResult keepBackup(const std::string& folder, const std::string& serialNumber,
                        const Timestamp& when, const Configuration& config, const RawImage& raw) {
    BackupResult kept;
    if (folder.empty()) {
        kept.failure = texts::noBackupFolder;
        return kept;
    }
    InterruptShield whileWriting;
    std::error_code ignored;
    std::filesystem::create_directories(utf8Path(folder), ignored);
    const std::string stem =
        utf8Name(utf8Path(folder) / utf8Path(safeFileName(serialNumber) + "-" + when.compact()));
    std::string kvx;
    std::string bin;
    try {
        // Both names are taken before anything is written, so that another unit finished in
        // the same second, or another program, never writes over them: the first free pair
        // of stem, stem-2, stem-3, ...
        for (int n = 1; kvx.empty(); ++n) {
            if (n > 1000)
                throw FileWriteError(stem, "no free name");
            const std::string name = n == 1 ? stem : stem + "-" + std::to_string(n);
            if (!fileaccess::createNew(name + ".kvx"))
                continue;
            if (fileaccess::createNew(name + ".bin")) {
                kvx = name + ".kvx";
                bin = name + ".bin";
                break;
            }
            std::filesystem::remove(utf8Path(name + ".kvx"), ignored);
        }
        saveConfigurationAsNew(config, kvx);
        writeImageFile(bin, raw);
    } catch (const FileWriteError& error) {
        for (const std::string& name : {kvx, bin})
            if (!name.empty())
                std::filesystem::remove(utf8Path(name), ignored);
        kept.failure = texts::backupFailed + std::string(error.what());
        return kept;
    }
    kept.kvx = kvx;
    return kept;
}

ProgrammingResult programUnit(UnitSession& session, const std::string& serialNumber,
                              const Configuration& config, const ProgrammingOptions& options) {
    ProgrammingResult result;
    if (options.backup) {
        Configuration before;
        RawImage raw{};
        result = resultOf(session.read(before, raw, texts::phaseBackup));
        if (!result.ok())
            return result;
        const BackupResult kept =
            keepBackup(options.backupFolder, serialNumber, options.now(), before, raw);
        if (kept.kvx.empty()) {
            result.result = "failed";
            result.exit = 4;
            result.message = kept.failure;
            return result;
        }
        result.backup = kept.kvx;
    }

    const std::string backup = result.backup;
    result = resultOf(session.send(
        config, [&options] { return options.now().toMinute(); }, texts::phaseSend));
    result.backup = backup;
    if (!result.ok() || !options.verify)
        return result;

    Configuration back;
    RawImage raw{};
    result = resultOf(session.read(back, raw, texts::phaseVerify));
    result.backup = backup;
    if (result.ok() && !sameWrittenBlocks(config, raw)) {
        result.result = "differs";
        result.exit = 5;
        result.message = texts::readBackDiffers;
        result.differences = compareSettings(config, back);
    }
    return result;
}

} // namespace qolmex::cli
