#include "CommandLine.h"

#include "CliTexts.h"

#include <charconv>
#include <set>

namespace qolmex::cli {
namespace {

// How many plain arguments each command takes, at least and at most.
struct Arity {
    std::size_t min;
    std::size_t max;
};

std::optional<Arity> arityOf(const std::string& command) {
    if (command == "list" || command == "doctor")
        return Arity{0, 0};
    if (command == "read")
        return Arity{0, 0};
    if (command == "diff")
        return Arity{2, 2};
    if (command == "send" || command == "verify" || command == "show" || command == "check" ||
        command == "image" || command == "batch" || command == "sheet")
        return Arity{1, 1};
    return std::nullopt;
}

std::optional<unsigned> positiveNumber(const std::string& text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value == 0)
        return std::nullopt;
    return value;
}

} // namespace

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    CommandLine& line = parsed.line;
    auto fail = [&parsed](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= arguments.size())
                return false;
            into = arguments[++i];
            return true;
        };
        if (arg == "--serial" || arg == "--port" || arg == "-o" || arg == "--image" ||
            arg == "--backup-dir" || arg == "--log" || arg == "--count" || arg == "--trace") {
            std::string v;
            if (!value(v))
                return fail(texts::missingValue + arg);
            if (arg == "--serial")
                line.serial = v;
            else if (arg == "--port")
                line.port = v;
            else if (arg == "-o")
                line.output = v;
            else if (arg == "--image")
                line.image = v;
            else if (arg == "--backup-dir")
                line.backupDir = v;
            else if (arg == "--log")
                line.log = v;
            else if (arg == "--trace")
                line.trace = v;
            else if (!(line.count = positiveNumber(v)))
                return fail(texts::badCount);
        } else if (arg == "--virtual") {
            line.virtualUnit = true;
        } else if (arg.rfind("--virtual=", 0) == 0) {
            line.virtualUnit = true;
            line.virtualMemoryFile = arg.substr(10);
        } else if (arg.rfind("--virtual-replay=", 0) == 0) {
            line.virtualReplay = arg.substr(17);
        } else if (arg == "--json") {
            line.json = true;
        } else if (arg == "--quiet") {
            line.quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--version") {
            line.version = true;
        } else if (arg == "--no-backup") {
            line.noBackup = true;
        } else if (arg == "--no-verify") {
            line.noVerify = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return fail(texts::unknownOption + arg);
        } else if (line.command.empty()) {
            line.command = arg;
        } else {
            line.arguments.push_back(arg);
        }
    }
    if (line.help || line.version)
        return parsed;
    if (line.command.empty())
        return fail(texts::noCommand);
    const auto arity = arityOf(line.command);
    if (!arity)
        return fail(texts::unknownCommand + line.command);
    if ((!line.serial.empty()) + (!line.port.empty()) + line.virtualUnit +
            (!line.virtualReplay.empty()) >
        1)
        return fail(texts::oneUnitChoice);

    const bool readWritesSomething = !line.output.empty() || !line.image.empty();
    const bool needsOutput = line.command == "image" || line.command == "sheet";
    const bool hasOutput = !needsOutput || !line.output.empty();
    if (line.arguments.size() < arity->min || line.arguments.size() > arity->max ||
        (line.command == "read" && !readWritesSomething) || !hasOutput)
        return fail(texts::wrongArguments + line.command + ". Pomoc: qolmex70-cli --help");
    return parsed;
}

} // namespace qolmex::cli
