#pragma once

#include <string>
#include <vector>

namespace qolmex::cli {

// The settings as the window groups them, left to right: each page or group box with its
// caption and its fields in the window's order.
struct SettingsGroup {
    std::string caption;
    std::vector<std::string> fields;
};

const std::vector<SettingsGroup>& settingsLayout();

} // namespace qolmex::cli
