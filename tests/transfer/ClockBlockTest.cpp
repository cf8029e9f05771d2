#include "transfer/ClockBlock.h"

#include <gtest/gtest.h>

#include <string>

namespace qolmex {
namespace {

std::string characters(const Block& b) { return std::string(b.data.begin(), b.data.end()); }

TEST(ClockBlock, WritesTwoDigitPartsWithFixedSeparators) {
    const Block b = clockBlock({2011, 3, 5, 7, 9});
    EXPECT_EQ(b.address, 32896);
    EXPECT_EQ(characters(b), std::string("11/03/05,07:09\0\0", 16));

    EXPECT_EQ(characters(clockBlock({2000, 12, 31, 23, 59})).substr(0, 14), "00/12/31,23:59");
    EXPECT_EQ(characters(clockBlock({2109, 1, 1, 0, 0})).substr(0, 14), "09/01/01,00:00");
}

TEST(ClockBlock, RefusesPartsThatDoNotFitTwoDigits) {
    EXPECT_THROW(clockBlock({2011, 13, 5, 7, 9}), std::invalid_argument);
    EXPECT_THROW(clockBlock({2011, 0, 5, 7, 9}), std::invalid_argument);
    EXPECT_THROW(clockBlock({2011, 3, 32, 7, 9}), std::invalid_argument);
    EXPECT_THROW(clockBlock({2011, 3, 5, 24, 9}), std::invalid_argument);
    EXPECT_THROW(clockBlock({2011, 3, 5, 7, 60}), std::invalid_argument);
    EXPECT_THROW(clockBlock({-1, 3, 5, 7, 9}), std::invalid_argument);
}

TEST(ClockBlock, TakesThePcsLocalTime) {
    const LocalDateTime now = currentLocalDateTime();
    EXPECT_GE(now.year, 2011);
    EXPECT_NO_THROW(clockBlock(now));
}

} // namespace
} // namespace qolmex
