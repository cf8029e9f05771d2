#include "config/CharFilters.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

TEST(OnlyNumbers, KeepsControlCodesPlusAndDigitsAtEveryBoundary) {
    for (int c = 0; c < 256; ++c) {
        const bool keep = c < 32 || c == 43 || (c >= 48 && c <= 57);
        EXPECT_EQ(onlyNumbers(c), keep ? c : 0) << c;
    }
    EXPECT_EQ(onlyNumbers('*'), 0);
    EXPECT_EQ(onlyNumbers('#'), 0);
    EXPECT_EQ(onlyNumbers(' '), 0);
    EXPECT_EQ(onlyNumbers('-'), 0);
}

TEST(OnlyText, KeepsBackspaceAndCodes32To127Only) {
    for (int c = 0; c < 256; ++c) {
        const bool keep = c == 8 || (c >= 32 && c <= 127);
        EXPECT_EQ(onlyText(c), keep ? c : 0) << c;
    }
    EXPECT_EQ(onlyText(13), 0);
    EXPECT_EQ(onlyText(10), 0);
    EXPECT_EQ(onlyText(0xFD), 0); // ý
}

} // namespace
} // namespace qolmex
