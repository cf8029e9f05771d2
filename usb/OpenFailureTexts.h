#pragma once
// What the user reads when the unit's bridge is attached but cannot be opened: which port,
// why, and what to do about it. Kept apart from the backends so every backend says it alike.

#include "usb/D2xxLibrary.h"

#include <optional>
#include <string>
#include <sys/types.h>

namespace qolmex {

// A program that holds a port, as /proc tells it.
struct PortHolder {
    std::string name;
    pid_t pid = 0;
};

namespace openFailureTexts {

inline constexpr const char* vendorBridgeInUse =
    "Prevodník používa iný program alebo ovládač jadra.";

std::string permissionDenied(const std::string& path, const std::string& group);
std::string portBusy(const std::string& path, const std::optional<PortHolder>& holder);
std::string portFailed(const std::string& path, int error);
std::string vendorCannotOpen(FT_STATUS status);

} // namespace openFailureTexts
} // namespace qolmex
