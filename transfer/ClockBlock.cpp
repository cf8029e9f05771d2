#include "ClockBlock.h"

#include <ctime>
#include <stdexcept>

namespace qolmex {
namespace {

void checkRange(int value, int min, int max, const char* what) {
    if (value < min || value > max)
        throw std::invalid_argument(std::string("clock block: ") + what + " out of range");
}

void putTwoDigits(BlockData& data, std::size_t at, int value) {
    data[at] = static_cast<std::uint8_t>('0' + value / 10);
    data[at + 1] = static_cast<std::uint8_t>('0' + value % 10);
}

} // namespace

Block clockBlock(const LocalDateTime& time) {
    checkRange(time.year, 0, 9999, "year");
    checkRange(time.month, 1, 12, "month");
    checkRange(time.day, 1, 31, "day");
    checkRange(time.hour, 0, 23, "hour");
    checkRange(time.minute, 0, 59, "minute");

    Block block{image::clockAddress, {}};
    putTwoDigits(block.data, 0, time.year % 100);
    block.data[2] = '/';
    putTwoDigits(block.data, 3, time.month);
    block.data[5] = '/';
    putTwoDigits(block.data, 6, time.day);
    block.data[8] = ',';
    putTwoDigits(block.data, 9, time.hour);
    block.data[11] = ':';
    putTwoDigits(block.data, 12, time.minute);
    return block;
}

LocalDateTime currentLocalDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

} // namespace qolmex
