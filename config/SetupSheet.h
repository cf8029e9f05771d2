#pragma once

#include <string>

namespace qolmex {

class Configuration;

// What the sheet says besides the settings.
struct SetupSheetHeader {
    int year = 2000;
    int month = 1;
    int day = 1;
    std::string serialNumber; // of the unit the settings were read from; empty for a file
};

// The customer's setup sheet of a configuration: one self-contained HTML page in Slovak (no
// scripts, no files or fonts of its own) for the screen and for A4 paper, saying who may
// switch each output and by which SMS, whom each input tells, and the status SMS. The DTMF
// codes, which the window never shows, are not on it.
std::string setupSheetHtml(const Configuration& config, const SetupSheetHeader& header);

} // namespace qolmex
