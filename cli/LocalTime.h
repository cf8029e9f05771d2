#pragma once

#include "transfer/ClockBlock.h"

#include <string>

namespace qolmex::cli {

// The PC's local time to the second, for file names and the production log.
struct Timestamp {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    LocalDateTime toMinute() const { return {year, month, day, hour, minute}; }
    std::string compact() const; // "20261208-143005"
    std::string iso8601() const; // "2026-12-08T14:30:05"
};

Timestamp localNow();

} // namespace qolmex::cli
