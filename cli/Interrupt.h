#pragma once

#include <chrono>

namespace qolmex::cli {

// Ctrl+C, and with it SIGTERM and SIGHUP (the terminal closed). While the program works on a
// unit or writes a file (an InterruptShield is alive) a press is only counted: the transfer
// loops act on it as on Storno, and a Send that is writing blocks asks for a second press.
// Anywhere else the program ends at once with 130, since nothing is left half done.
void installInterruptHandler();
// How many times Ctrl+C has been pressed.
unsigned interruptCount();
// Sleeps for the span, or only until Ctrl+C is pressed.
void sleepUnlessInterrupted(std::chrono::milliseconds span);

class InterruptShield {
public:
    InterruptShield();
    ~InterruptShield();
    InterruptShield(const InterruptShield&) = delete;
    InterruptShield& operator=(const InterruptShield&) = delete;
};

} // namespace qolmex::cli
