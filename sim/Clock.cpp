#include "sim/Clock.h"

#include <thread>

namespace qolmex {

RealClock::RealClock() : start_(std::chrono::steady_clock::now()) {}

Clock::TimePoint RealClock::now() const {
    return std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - start_);
}

// sleep_until may wake early (MinGW's does, by up to a timer tick), and a paced unit whose
// bytes arrive before their time would be faster than the line: sleep until it is so.
void RealClock::sleepUntil(TimePoint when) {
    const auto deadline = start_ + when;
    for (auto now = std::chrono::steady_clock::now(); now < deadline;
         now = std::chrono::steady_clock::now())
        std::this_thread::sleep_for(deadline - now);
}

} // namespace qolmex
