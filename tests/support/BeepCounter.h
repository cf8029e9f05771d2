#pragma once

#include "widgets/Beep.h"

namespace qolmex {

// Counts the beeps while it lives, instead of sounding them.
class BeepCounter {
public:
    BeepCounter() : previous_(setBeepSink([this] { ++count_; })) {}
    ~BeepCounter() { setBeepSink(previous_); }
    BeepCounter(const BeepCounter&) = delete;
    BeepCounter& operator=(const BeepCounter&) = delete;

    int count() const { return count_; }

private:
    int count_ = 0;
    std::function<void()> previous_;
};

} // namespace qolmex
