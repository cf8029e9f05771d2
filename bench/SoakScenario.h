#pragma once

#include "sim/UnitFaults.h"

#include <optional>
#include <random>
#include <string>

namespace qolmex::soak {

enum class Direction { Send, Read };

// How a transfer ended, as the user sees it.
enum class Outcome {
    Success,      // no message, everything transferred
    Cancelled,    // the user pressed Storno in the start handshake: silent
    WrongUnit,    // "Pripojené zariadenie nie je QOLMEX 70 USB !"
    UnitStopped,  // "Zariadenie prestalo odpovedať, ..."
    Unplugged,    // "Zariadenie bolo odpojené, ..."
    NotConnected, // the connection's own message
    WrongDevice,
    Other, // anything else: never expected
};
inline constexpr int outcomeCount = 8;
const char* outcomeName(Outcome outcome);

// One transfer of the soak: which way, what goes wrong with the unit and when, and when the
// user presses Storno (if it is offered then).
struct Scenario {
    Direction direction = Direction::Send;
    std::string fault; // a short name, for the report
    UnitFaults faults;
    std::optional<long> stornoAtPump; // a pump of the whole transfer
    // The user's patience: Storno is pressed once it has been offered this long, the one way
    // out of a start handshake that is never answered.
    std::chrono::milliseconds stornoAfter{60'000};
    // What must come of it; a Storno pressed at a random pump may also turn a success into
    // a silent cancel or a wrong unit, depending on the wait it lands in.
    Outcome expected = Outcome::Success;
};

Scenario randomScenario(Direction direction, std::mt19937& random);

} // namespace qolmex::soak
