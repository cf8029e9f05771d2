#include "config/FixedPoint.h"

#include <gtest/gtest.h>

#include <limits>

namespace qolmex {
namespace {

TEST(ParseFixed, ReadsWholeAndDecimalNumbers) {
    EXPECT_EQ(parseFixed("0"), 0);
    EXPECT_EQ(parseFixed("255"), 2550000);
    EXPECT_EQ(parseFixed("007"), 70000);
    EXPECT_EQ(parseFixed("-1"), -10000);
    EXPECT_EQ(parseFixed("+3"), 30000);
    EXPECT_EQ(parseFixed(" 42 "), 420000);
    EXPECT_EQ(parseFixed("2.5"), 25000);
    EXPECT_EQ(parseFixed(".5"), 5000);
    EXPECT_EQ(parseFixed("1.00005"), 10001); // rounded to four places
    EXPECT_EQ(parseFixed("1.00004"), 10000);
}

TEST(ParseFixed, RefusesWhatIsNoNumber) {
    for (const char* text : {"", " ", "-", "+", ".", "abc", "1a", "1 2", "--1", "1.2.3", "0x10",
                             "1,5", "\xff"})
        EXPECT_FALSE(parseFixed(text)) << text;
}

TEST(ParseFixed, RefusesNumbersBeyondTheRange) {
    EXPECT_EQ(parseFixed("922337203685477.5807"), std::numeric_limits<Fixed>::max());
    EXPECT_EQ(parseFixed("-922337203685477.5808"), std::numeric_limits<Fixed>::min());
    EXPECT_FALSE(parseFixed("922337203685477.5808"));
    EXPECT_FALSE(parseFixed("99999999999999999999999"));
}

TEST(ValueOfText, GivesTheMinimumForNoNumberAndNeverLimits) {
    EXPECT_EQ(valueOfText("", fixedFromWhole(1)), fixedFromWhole(1));
    EXPECT_EQ(valueOfText("x", fixedFromWhole(1)), fixedFromWhole(1));
    EXPECT_EQ(valueOfText("300", 0), fixedFromWhole(300));
}

TEST(ClampFixed, LimitsUnlessTheLimitsAreEqual) {
    EXPECT_EQ(clampFixed(fixedFromWhole(300), 0, fixedFromWhole(255)), fixedFromWhole(255));
    EXPECT_EQ(clampFixed(fixedFromWhole(-1), 0, fixedFromWhole(255)), 0);
    EXPECT_EQ(clampFixed(fixedFromWhole(7), 0, fixedFromWhole(255)), fixedFromWhole(7));
    EXPECT_EQ(clampFixed(fixedFromWhole(-1), 0, 0), fixedFromWhole(-1));
}

TEST(SaturatedSteps, StopAtTheEndsOfTheRange) {
    constexpr Fixed max = std::numeric_limits<Fixed>::max();
    constexpr Fixed min = std::numeric_limits<Fixed>::min();
    EXPECT_EQ(addSaturated(*parseFixed("922337203685477"), fixedScale), max);
    EXPECT_EQ(addSaturated(min, -1), min);
    EXPECT_EQ(subtractSaturated(min, fixedScale), min);
    EXPECT_EQ(subtractSaturated(0, min), max);
    EXPECT_EQ(addSaturated(fixedFromWhole(7), fixedScale), fixedFromWhole(8));
}

TEST(FormatFixed, WritesTheShortestForm) {
    EXPECT_EQ(formatFixed(0), "0");
    EXPECT_EQ(formatFixed(fixedFromWhole(255)), "255");
    EXPECT_EQ(formatFixed(fixedFromWhole(-1)), "-1");
    EXPECT_EQ(formatFixed(25000), "2.5");
    EXPECT_EQ(formatFixed(-5), "-0.0005");
    EXPECT_EQ(formatFixed(std::numeric_limits<Fixed>::min()), "-922337203685477.5808");
    for (Fixed v : {Fixed{0}, Fixed{1}, Fixed{-123456789}, std::numeric_limits<Fixed>::max()})
        EXPECT_EQ(parseFixed(formatFixed(v)), v);
}

} // namespace
} // namespace qolmex
