#include "CliTexts.h"
#include "Commands.h"
#include "Interrupt.h"
#include "SettingsFiles.h"
#include "SettingsLayout.h"
#include "config/Configuration.h"
#include "config/FileWriteError.h"
#include "config/SetupSheet.h"
#include "config/WriteFile.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/FieldLabel.h"
#include "transfer/ValidationMessage.h"

namespace qolmex::cli {
namespace {

// Loads a file the command needs; false (exit 2) when it cannot be read.
bool loadFile(CommandContext& context, const std::string& path, Configuration& config) {
    if (isImageName(path)) {
        const auto raw = loadImageFile(path);
        if (!raw) {
            context.report.fail("failed", exitUsage, texts::notAnImage + path);
            return false;
        }
        decodeImage(config, *raw);
        return true;
    }
    if (!loadConfigurationFile(config, path)) {
        context.report.fail("failed", exitUsage, texts::unreadable + path);
        return false;
    }
    return true;
}

// What Send would refuse; false (exit 1, the window's message) when it refuses.
bool sendable(CommandContext& context, const Configuration& config) {
    if (const auto error = validateForUnit(config)) {
        context.report.fail("refused", exitDiffers, validationMessage(*error));
        return false;
    }
    return true;
}

} // namespace

bool loadSettings(CommandContext& context, const std::string& source, Configuration& config) {
    if (source == "unit") {
        RawImage raw{};
        return readFromUnit(context, config, raw, texts::phaseRead);
    }
    return loadFile(context, source, config);
}

void showCommand(CommandContext& context) {
    Configuration config;
    if (!loadFile(context, context.line.arguments[0], config))
        return;
    std::vector<SettingLine> lines;
    for (const SettingsGroup& group : settingsLayout()) {
        if (context.text())
            context.env.out << "[" << group.caption << "]\n";
        for (const std::string& name : group.fields) {
            const FieldDef& field = config.definition(config.id(name));
            SettingLine line{group.caption, field.name, fieldLabel(field.name),
                             settingValue(config, field)};
            if (context.text())
                context.env.out << line.name << "\t" << line.label << "\t"
                                << shownValue(line.value) << "\n";
            lines.push_back(std::move(line));
        }
    }
    context.report.settings = std::move(lines);
}

void checkCommand(CommandContext& context) {
    Configuration config;
    if (!loadFile(context, context.line.arguments[0], config) || !sendable(context, config))
        return;
    context.report.message = texts::sendable;
}

void imageCommand(CommandContext& context) {
    Configuration config;
    if (!loadFile(context, context.line.arguments[0], config) || !sendable(context, config))
        return;
    try {
        writeImageFile(context.line.output, encodeToImage(config));
    } catch (const FileWriteError& error) {
        context.report.fail("failed", exitUsage, texts::cannotWrite + std::string(error.what()));
    }
}

void sheetCommand(CommandContext& context) {
    const std::string& source = context.line.arguments[0];
    Configuration config;
    if (!loadSettings(context, source, config))
        return;
    const Timestamp today = context.env.now();
    SetupSheetHeader header{today.year, today.month, today.day, {}};
    if (source == "unit" && context.report.unit)
        header.serialNumber = context.report.unit->serialNumber;
    try {
        InterruptShield whileWriting;
        writeFile(context.line.output, setupSheetHtml(config, header));
    } catch (const FileWriteError& error) {
        context.report.fail("failed", exitUsage, texts::cannotWrite + std::string(error.what()));
    }
}

void diffCommand(CommandContext& context) {
    Configuration a;
    Configuration b;
    if (!loadSettings(context, context.line.arguments[0], a) ||
        !loadSettings(context, context.line.arguments[1], b))
        return;
    reportDifferences(context, compareSettings(a, b));
}

} // namespace qolmex::cli
