#pragma once

#include "DoneLine.h"
#include "SettingsDiff.h"
#include "usb/BridgeEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace qolmex::cli {

// One setting as "show" lists it; the value is the bytes the configuration holds.
struct SettingLine {
    std::string group;
    std::string name;
    std::string label;
    std::string value;
};

// The outcome of one command, from which the exit code, the closing text and the --json
// object are made. Texts are UTF-8 except the values, which are the configuration's bytes.
struct Report {
    std::string command;
    std::string result = "ok"; // ok, differs, refused, failed, interrupted
    int exit = 0;
    std::string message;
    std::optional<BridgeEntry> unit;
    std::string backup;
    std::optional<double> seconds;
    std::optional<std::vector<Difference>> differences;
    std::optional<std::vector<BridgeEntry>> bridges;
    std::optional<std::vector<SettingLine>> settings;
    std::string batchUnits; // production mode: the JSON array of its units, already written
    std::string checks;     // doctor: the JSON array of its checks, already written
    std::optional<Deed> deed; // what went well with the unit, for the closing line of the text

    void fail(std::string resultWord, int code, std::string text) {
        result = std::move(resultWord);
        exit = code;
        message = std::move(text);
    }
};

// The --json object of a report.
std::string reportJson(const Report& report);

} // namespace qolmex::cli
