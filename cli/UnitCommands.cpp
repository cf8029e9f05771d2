#include "CliTexts.h"
#include "Commands.h"
#include "SettingsFiles.h"
#include "config/Configuration.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ImageEncoder.h"
#include "transfer/ValidationMessage.h"
#include "usb/DeviceConnection.h"

#include <filesystem>

namespace qolmex::cli {
namespace {

// The one unit a command talks to, for all its transfers.
struct UnitTarget {
    BridgeEntry bridge;
    std::unique_ptr<UnitLink> link;
    std::unique_ptr<UnitSession> session;
};

UnitTarget target(CommandContext& context) {
    UnitTarget t;
    t.bridge = context.chooseUnit();
    context.report.unit = t.bridge;
    t.link = context.access().link(t.bridge.serialNumber);
    t.session = std::make_unique<UnitSession>(*t.link, t.bridge.serialNumber,
                                              context.env.interrupted, context.progress());
    return t;
}

void tellWarnings(CommandContext& context, const UnitSession& session) {
    if (context.text() && !context.line.quiet)
        for (const std::string& warning : session.warnings())
            context.env.err << warning << "\n";
}

// Keeps what the unit held before a Send: <serial>-<time>.kvx and .bin. Returns the .kvx
// name, or empty when the backup could not be written.
std::string keepBackup(CommandContext& context, const std::string& serial,
                       const Configuration& config, const RawImage& raw) {
    const std::string folder =
        context.line.backupDir.empty() ? context.env.backupFolder : context.line.backupDir;
    if (folder.empty())
        return {};
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::filesystem::path stem =
        std::filesystem::path(folder) /
        ((serial.empty() ? std::string("unit") : serial) + "-" + context.env.now().compact());
    const std::string kvx = stem.string() + ".kvx";
    if (!saveConfigurationAsNew(config, kvx) || !writeImageFile(stem.string() + ".bin", raw))
        return {};
    return kvx;
}

// The 254 written blocks against what the unit gives back.
bool sameWrittenBlocks(const Configuration& config, const RawImage& readBack) {
    for (const Block& block : encodeImage(config))
        if (!std::equal(block.data.begin(), block.data.end(),
                        readBack.begin() + block.address))
            return false;
    return true;
}

} // namespace

bool readFromUnit(CommandContext& context, Configuration& config, RawImage& raw,
                  const char* phase) {
    UnitTarget t = target(context);
    const TransferOutcome outcome = t.session->read(config, raw, phase);
    tellWarnings(context, *t.session);
    return context.check(outcome);
}

void readCommand(CommandContext& context) {
    Configuration config;
    RawImage raw{};
    if (!readFromUnit(context, config, raw, texts::phaseRead))
        return;
    const CommandLine& line = context.line;
    if (!line.output.empty() && !saveConfigurationAsNew(config, line.output))
        return context.report.fail("failed", exitUsage, texts::cannotWrite + line.output);
    if (!line.image.empty() && !writeImageFile(line.image, raw))
        context.report.fail("failed", exitUsage, texts::cannotWrite + line.image);
}

void verifyCommand(CommandContext& context) {
    Configuration file;
    if (!loadSettings(context, context.line.arguments[0], file))
        return;
    Configuration unit;
    RawImage raw{};
    if (!readFromUnit(context, unit, raw, texts::phaseRead))
        return;
    reportDifferences(context, compareSettings(file, unit));
}

void sendCommand(CommandContext& context) {
    const std::string& path = context.line.arguments[0];
    Configuration config;
    if (!loadConfigurationFile(config, path))
        return context.report.fail("failed", exitUsage, texts::unreadable + path);
    if (const auto error = validateForUnit(config))
        return context.report.fail("refused", exitDiffers, validationMessage(*error));

    UnitTarget t = target(context);
    UnitSession& session = *t.session;
    if (!context.line.noBackup) {
        Configuration before;
        RawImage raw{};
        const TransferOutcome outcome = session.read(before, raw, texts::phaseBackup);
        tellWarnings(context, session);
        if (!context.check(outcome))
            return;
        context.report.backup = keepBackup(context, t.bridge.serialNumber, before, raw);
        if (context.report.backup.empty()) {
            const std::string why =
                context.line.backupDir.empty() && context.env.backupFolder.empty()
                    ? std::string(texts::noBackupFolder)
                    : texts::backupFailed + (context.line.backupDir.empty()
                                                 ? context.env.backupFolder
                                                 : context.line.backupDir);
            return context.report.fail("failed", exitTransfer, why);
        }
        if (context.text() && !context.line.quiet)
            context.env.out << texts::phaseBackup << ": " << context.report.backup << "\n";
    }

    const TransferOutcome sent =
        session.send(config, [&context] { return context.env.now().toMinute(); },
                     texts::phaseSend);
    tellWarnings(context, session);
    if (!context.check(sent) || context.line.noVerify)
        return;

    Configuration back;
    RawImage raw{};
    if (!context.check(session.read(back, raw, texts::phaseVerify)))
        return;
    if (!sameWrittenBlocks(config, raw)) {
        auto differences = compareSettings(config, back);
        printDifferences(context, differences);
        context.report.differences = std::move(differences);
        context.report.fail("differs", exitReadBack, texts::readBackDiffers);
    }
}

void listCommand(CommandContext& context) {
    std::vector<BridgeEntry> bridges = context.access().listBridges();
    if (context.text()) {
        for (const BridgeEntry& b : bridges) {
            context.env.out << b.description << "\t" << b.serialNumber << "\t" << b.via << "\t"
                            << (b.openable ? texts::canOpen : texts::cannotOpen);
            if (!b.openable && !b.reason.empty())
                context.env.out << ": " << b.reason;
            context.env.out << "\n";
        }
    }
    if (bridges.empty())
        context.report.fail("failed", exitNoUnit, DeviceConnection::msgNotConnected);
    context.report.bridges = std::move(bridges);
}

} // namespace qolmex::cli
