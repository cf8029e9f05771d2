#include "UnitProgramming.h"

#include "CliTexts.h"
#include "SettingsFiles.h"
#include "config/Configuration.h"
#include "transfer/ImageEncoder.h"

#include <algorithm>
#include <filesystem>

namespace qolmex::cli {
namespace {

// The written blocks against what the unit gives back.
bool sameWrittenBlocks(const Configuration& config, const RawImage& readBack) {
    const std::vector<Block> written = encodeImage(config);
    return std::all_of(written.begin(), written.end(), [&readBack](const Block& block) {
                           return std::equal(block.data.begin(), block.data.end(),
                                             readBack.begin() + block.address);
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

std::string keepBackup(const std::string& folder, const std::string& serialNumber,
                       const Timestamp& when, const Configuration& config, const RawImage& raw) {
    if (folder.empty())
        return {};
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string stem =
        (std::filesystem::path(folder) /
         ((serialNumber.empty() ? std::string("unit") : serialNumber) + "-" + when.compact()))
            .string();
    if (!saveConfigurationAsNew(config, stem + ".kvx") || !writeImageFile(stem + ".bin", raw))
        return {};
    return stem + ".kvx";
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
        result.backup = keepBackup(options.backupFolder, serialNumber, options.now(), before, raw);
        if (result.backup.empty()) {
            result.result = "failed";
            result.exit = 4;
            result.message = options.backupFolder.empty()
                                 ? std::string(texts::noBackupFolder)
                                 : texts::backupFailed + options.backupFolder;
            return result;
        }
    }

    const std::string backup = result.backup;
    result = resultOf(session.send(config, [&options] { return options.now().toMinute(); },
                                   texts::phaseSend));
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
