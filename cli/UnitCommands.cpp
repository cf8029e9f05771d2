#include "CliTexts.h"
#include "Commands.h"
#include "SafeText.h"
#include "SettingsFiles.h"
#include "UnitProgramming.h"
#include "config/Configuration.h"
#include "config/FileWriteError.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ValidationMessage.h"
#include "usb/DeviceConnection.h"


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
    t.link = context.access().link(t.bridge);
    const auto tell = [&context](const std::string& notice) {
        context.env.err << notice << "\n" << std::flush;
    };
    t.session = std::make_unique<UnitSession>(*t.link, t.bridge, context.env.interrupted,
                                              context.progress(), tell);
    return t;
}

void tellWarnings(CommandContext& context, const UnitSession& session) {
    if (context.text() && !context.line.quiet)
        for (const std::string& warning : session.warnings())
            context.env.err << warning << "\n";
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
    try {
        if (!line.output.empty())
            saveConfigurationAsNew(config, line.output);
        if (!line.image.empty())
            writeImageFile(line.image, raw);
        context.report.deed = Deed::Read;
    } catch (const FileWriteError& error) {
        context.report.fail("failed", exitUsage, texts::cannotWrite + std::string(error.what()));
    }
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
    if (context.report.exit == exitOk)
        context.report.deed = Deed::Verified;
}

void sendCommand(CommandContext& context) {
    const std::string& path = context.line.arguments[0];
    Configuration config;
    if (!loadConfigurationFile(config, path))
        return context.report.fail("failed", exitUsage, texts::unreadable + path);
    if (const auto error = validateForUnit(config))
        return context.report.fail("refused", exitDiffers, validationMessage(*error));

    UnitTarget t = target(context);
    const ProgrammingResult result =
        programUnit(*t.session, t.bridge.serialNumber, config, context.programmingOptions());
    tellWarnings(context, *t.session);
    context.report.backup = result.backup;
    if (context.text() && !context.line.quiet && !result.backup.empty())
        context.env.out << texts::phaseBackup << ": " << result.backup << "\n";
    if (!result.ok()) {
        printDifferences(context, result.differences);
        if (!result.differences.empty())
            context.report.differences = result.differences;
        context.report.fail(result.result, result.exit, result.message);
        return;
    }
    context.report.deed = context.line.noVerify ? Deed::Sent : Deed::SentAndVerified;
}

void listCommand(CommandContext& context) {
    std::vector<BridgeEntry> bridges = context.access().listBridges();
    if (context.text()) {
        for (const BridgeEntry& b : bridges) {
            context.env.out << terminalText(b.description) << "\t" << terminalText(b.serialNumber)
                            << "\t" << b.via << "\t"
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
