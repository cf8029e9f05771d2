#include "usb/OpenFailureTexts.h"

#include <cstring>

namespace qolmex::openFailureTexts {

std::string permissionDenied(const std::string& path, const std::string& group) {
    const std::string owner = group.empty() ? std::string("inej skupine") : "skupine „" + group + "“";
    return "Prístup k portu " + path + " bol odmietnutý: port patrí " + owner +
           ".\nNainštalujte balík programu (jeho pravidlo udev sprístupní port prihlásenému "
           "používateľovi) alebo pridajte používateľa do " +
           (group.empty() ? std::string("skupiny, ktorej port patrí,")
                          : "skupiny „" + group + "“") +
           " a znova sa prihláste.";
}

std::string portBusy(const std::string& path, const std::optional<PortHolder>& holder) {
    std::string text = "Port " + path + " používa iný program";
    if (holder)
        text += ": " + holder->name + " (PID " + std::to_string(holder->pid) + ")";
    return text + ".\nUkončite ho a skúste to znova.";
}

std::string portFailed(const std::string& path, int error) {
    return "Port " + path + " sa nepodarilo otvoriť (" + std::strerror(error) + ").";
}

std::string vendorCannotOpen(FT_STATUS status) {
    return "Knižnica D2XX vidí prevodník, ale nemôže ho otvoriť (chyba " + std::to_string(status) +
           "): používa ho ovládač jadra alebo iný program.";
}

} // namespace qolmex::openFailureTexts
