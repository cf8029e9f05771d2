#include "sim/Clock.h"

#include <thread>

namespace qolmex {

RealClock::RealClock() : start_(std::chrono::steady_clock::now()) {}

Clock::TimePoint RealClock::now() const {
    return std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - start_);
}

void RealClock::sleepUntil(TimePoint when) {
    std::this_thread::sleep_until(start_ + when);
}

} // namespace qolmex
