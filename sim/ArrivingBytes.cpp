#include "sim/ArrivingBytes.h"

#include <algorithm>

namespace qolmex {

std::size_t ArrivingBytes::arrivedBy(Clock::TimePoint when) const {
    return static_cast<std::size_t>(std::count_if(
        bytes_.begin(), bytes_.end(), [when](const Pending& b) { return b.arrives <= when; }));
}

std::size_t ArrivingBytes::read(Clock& clock, std::uint8_t* out, std::size_t wanted,
                                ULONG timeoutMs) {
    std::size_t count = 0;
    if (timeoutMs == 0) {
        count = std::min(wanted, bytes_.size());
        if (count > 0)
            clock.sleepUntil(bytes_[count - 1].arrives);
    } else {
        const Clock::TimePoint deadline = clock.now() + std::chrono::milliseconds(timeoutMs);
        if (wanted > 0 && bytes_.size() >= wanted && bytes_[wanted - 1].arrives <= deadline) {
            count = wanted;
            clock.sleepUntil(bytes_[wanted - 1].arrives);
        } else {
            clock.sleepUntil(deadline);
            while (count < std::min(wanted, bytes_.size()) && bytes_[count].arrives <= deadline)
                ++count;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = bytes_.front().value;
        bytes_.pop_front();
    }
    return count;
}

} // namespace qolmex
