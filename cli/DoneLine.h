#pragma once

#include <string>

namespace qolmex::cli {

// What a command did to a unit when it went well.
enum class Deed {
    Read,            // read
    Sent,            // send --no-verify
    SentAndVerified, // send
    Verified,        // verify, the unit the same as the file
};

// The closing line of a command that went well, with the unit (its serial number, port or
// place on the bus; empty when not known) and the seconds it took:
// "Odoslané do zariadenia A10XYZ a skontrolované za 32,1 s."
std::string doneLine(Deed deed, const std::string& unit, double seconds);

// Seconds as a reader writes them: "32,1".
std::string secondsForPeople(double seconds);

} // namespace qolmex::cli
