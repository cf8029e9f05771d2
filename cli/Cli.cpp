#include "Cli.h"

#include "CliTexts.h"
#include "Commands.h"
#include "HardwareAccess.h"
#include "ReplayAccess.h"
#include "TracingAccess.h"
#include "UsageError.h"
#include "SafeText.h"
#include "VirtualAccess.h"
#include "config/Windows1250.h"
#include "sim/VirtualUnit.h"
#include "usb/DeviceConnection.h"

#include <chrono>
#include <exception>
#include <limits>

#ifndef QOLMEX_VERSION
#define QOLMEX_VERSION "0"
#endif

namespace qolmex::cli {
namespace {

std::unique_ptr<UnitAccess> defaultAccess(const CommandLine& line) {
    if (!line.virtualReplay.empty())
        return std::make_unique<ReplayAccess>(line.virtualReplay);
    if (line.virtualUnit) {
        auto access = std::make_unique<VirtualAccess>();
        access->addUnit(VirtualUnit::defaultSerialNumber, {}, line.virtualMemoryFile);
        if (line.command == "batch")
            access->replaceUsedUnits(line.count.value_or(std::numeric_limits<unsigned>::max()));
        return access;
    }
    return std::make_unique<HardwareAccess>(line.port);
}

using Command = void (*)(CommandContext&);

Command commandNamed(const std::string& name) {
    static const std::pair<const char*, Command> commands[] = {
        {"list", listCommand},   {"read", readCommand},   {"send", sendCommand},
        {"verify", verifyCommand}, {"diff", diffCommand}, {"show", showCommand},
        {"check", checkCommand}, {"image", imageCommand}, {"batch", batchCommand},
        {"sheet", sheetCommand},
        {"doctor", doctorCommand},
    };
    for (const auto& [n, command] : commands)
        if (name == n)
            return command;
    return nullptr;
}

} // namespace

UnitAccess& CommandContext::access() {
    if (!access_) {
        access_ = env.makeAccess ? env.makeAccess(line) : defaultAccess(line);
        if (!line.trace.empty())
            access_ = std::make_unique<TracingAccess>(std::move(access_), line.trace,
                                                      line.command == "batch");
    }
    return *access_;
}

BridgeEntry CommandContext::chooseUnit() {
    const std::vector<BridgeEntry> bridges = access().listBridges();
    for (const BridgeEntry& bridge : bridges) {
        if (isWanted(bridge))
            return bridge;
    }
    BridgeEntry unknown;
    unknown.serialNumber = line.serial;
    return unknown;
}

bool CommandContext::isWanted(const BridgeEntry& bridge) const {
    return line.serial.empty() ? bridge.description == DeviceConnection::bridgeDescription
                               : bridge.serialNumber == line.serial;
}

ProgressLine* CommandContext::progress() {
    if (!env.errIsTerminal || line.quiet)
        return nullptr;
    if (!progress_)
        progress_ = std::make_unique<ProgressLine>(env.err);
    return progress_.get();
}

bool CommandContext::check(const TransferOutcome& outcome) {
    const ProgrammingResult result = resultOf(outcome);
    if (!result.ok())
        report.fail(result.result, result.exit, result.message);
    return result.ok();
}

ProgrammingOptions CommandContext::programmingOptions() const {
    ProgrammingOptions options;
    options.backup = !line.noBackup;
    options.verify = !line.noVerify;
    options.backupFolder = line.backupDir.empty() ? env.backupFolder : line.backupDir;
    options.now = env.now;
    return options;
}

std::string shownValue(const std::string& bytes) {
    return "\"" + terminalText(windows1250ToUtf8(bytes)) + "\"";
}

void printDifferences(CommandContext& context, const std::vector<Difference>& differences) {
    if (!context.text())
        return;
    for (const Difference& d : differences)
        context.env.out << d.name << "\t" << d.label << "\t" << shownValue(d.a) << "\t"
                        << shownValue(d.b) << "\n";
}

void reportDifferences(CommandContext& context, std::vector<Difference> differences) {
    printDifferences(context, differences);
    if (differences.empty())
        context.report.message = texts::settingsSame;
    else
        context.report.fail("differs", exitDiffers, texts::settingsDiffer);
    context.report.differences = std::move(differences);
}

int runCli(const std::vector<std::string>& arguments, CliEnvironment& env) {
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    const CommandLine& line = parsed.line;
    Report report;
    report.command = line.command;

    if (parsed.error.empty() && line.help) {
        env.out << texts::help;
        return exitOk;
    }
    if (parsed.error.empty() && line.version) {
        env.out << texts::program << " " << QOLMEX_VERSION << "\n";
        return exitOk;
    }

    const auto started = std::chrono::steady_clock::now();
    CommandContext context{env, line, report, nullptr, nullptr};
    if (!parsed.error.empty()) {
        report.fail("failed", exitUsage, parsed.error);
    } else if (line.virtualUnit && !line.virtualMemoryFile.empty() &&
               !VirtualAccess::isMemoryFile(line.virtualMemoryFile)) {
        // Cut to 4096 bytes it would lose whatever else the file is.
        report.fail("failed", exitUsage, texts::notAnImage + line.virtualMemoryFile);
    } else {
        try {
            commandNamed(line.command)(context);
        } catch (const UsageError& error) {
            report.fail("failed", exitUsage, error.what());
        } catch (const std::exception& error) {
            report.fail("failed", exitTransfer, error.what());
        }
        if (context.access_) {
            const std::string failure = context.access_->finish();
            if (!failure.empty() && report.exit == exitOk)
                report.fail("failed", exitTransfer, failure);
            context.access_->conclude(context);
        }
        // Ctrl+C while a file was written: the file is whole, the program still stops.
        if (env.interrupted && env.interrupted() > 0 && report.exit == exitOk)
            report.fail("interrupted", exitInterrupted, texts::interrupted);
    }
    if (report.unit)
        report.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    if (line.json) {
        env.out << reportJson(report) << "\n";
    } else if (report.exit == exitOk && report.deed && report.unit && report.seconds) {
        env.out << doneLine(*report.deed, terminalText(report.unit->key()), *report.seconds)
                << "\n";
    } else if (!report.message.empty()) {
        (report.exit == exitOk ? env.out : env.err) << report.message << "\n";
    }
    env.out.flush();
    return report.exit;
}

} // namespace qolmex::cli
