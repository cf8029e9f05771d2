#pragma once
// Bytes on their way from a unit to the PC, each with the moment it gets there. A read takes
// them as D2XX does: it returns when its count has arrived or its time-out has passed.

#include "sim/Clock.h"
#include "usb/D2xxLibrary.h"

#include <cstdint>
#include <deque>
#include <string_view>

namespace qolmex {

class ArrivingBytes {
public:
    void push(std::uint8_t value, Clock::TimePoint arrives) { bytes_.push_back({value, arrives}); }
    void push(std::string_view bytes, Clock::TimePoint arrives) {
        for (char c : bytes)
            push(static_cast<std::uint8_t>(c), arrives);
    }
    void clear() { bytes_.clear(); }
    bool empty() const { return bytes_.empty(); }
    // How many have arrived by then.
    std::size_t arrivedBy(Clock::TimePoint when) const;

    // Waits on the clock as the read would, then takes the bytes it gets. A time-out of 0 is
    // no limit: it waits for the count, but if it can never come (nobody else can write on
    // this one thread) it hands over what there is instead of hanging.
    std::size_t read(Clock& clock, std::uint8_t* out, std::size_t wanted, ULONG timeoutMs);

private:
    struct Pending {
        std::uint8_t value;
        Clock::TimePoint arrives;
    };
    std::deque<Pending> bytes_;
};

} // namespace qolmex
