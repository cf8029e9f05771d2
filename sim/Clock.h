#pragma once
// Time as the virtual unit and its callers see it. A VirtualClock only moves
// when someone waits on it or advances it, so a 2 s time-out costs nothing in
// a test, and a test's pump can read the same clock to drive its timer.
// A RealClock really sleeps, for the demo program.

#include <chrono>

namespace qolmex {

class Clock {
public:
    using Duration = std::chrono::nanoseconds;
    using TimePoint = Duration; // since the clock was made

    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
    virtual void sleepUntil(TimePoint when) = 0; // returns at once when already past
    void sleepFor(Duration span) { sleepUntil(now() + span); }
};

class VirtualClock : public Clock {
public:
    TimePoint now() const override { return now_; }
    void sleepUntil(TimePoint when) override {
        if (when > now_)
            now_ = when;
    }
    void advance(Duration span) { sleepFor(span); }

private:
    TimePoint now_{0};
};

class RealClock : public Clock {
public:
    RealClock();
    TimePoint now() const override;
    void sleepUntil(TimePoint when) override;

private:
    std::chrono::steady_clock::time_point start_;
};

} // namespace qolmex
