#pragma once

#include "MemoryImage.h"

namespace qolmex {

// A local date and time to the minute, as the unit's clock takes it.
struct LocalDateTime {
    int year = 2000; // full year; the block keeps its last two digits
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// The frame Send writes after the image: "yy/mm/dd,hh:mm" and two 0x00 bytes. The separators
// are fixed whatever the PC's regional settings. Throws std::invalid_argument for a part
// outside its range, which would not fit two digits.
Block clockBlock(const LocalDateTime& time);

// The PC's local date and time now; Send takes it anew on every try of the clock block.
LocalDateTime currentLocalDateTime();

} // namespace qolmex
