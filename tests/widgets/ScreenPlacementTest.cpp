#include "widgets/ScreenPlacement.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

// A 1366 x 768 laptop with a 32-pixel panel along the top, and a frame of 804 x 630 wanted at
// 202, 216.
const QRect laptop(0, 32, 1366, 736);
const QRect frame(202, 216, 804, 630);

TEST(KeptWithin, StaysWhereWantedIfItFitsElseMovesUpAndLeftJustAsFarAsNeeded) {
    EXPECT_EQ(keptWithin(frame, QRect(0, 0, 1920, 1050)), QPoint(202, 216));
    EXPECT_EQ(keptWithin(frame, laptop), QPoint(202, 768 - 630));
    EXPECT_EQ(keptWithin(frame.translated(500, 0), laptop), QPoint(1366 - 804, 768 - 630));
    // A screen at 150 % of 1920 x 1080 offers 1280 x 720 window pixels.
    EXPECT_EQ(keptWithin(frame, QRect(0, 0, 1280, 720)), QPoint(202, 90));
    EXPECT_EQ(keptWithin(frame, QRect()), frame.topLeft()); // no screen known
}

TEST(KeptWithin, NeverAboveOrLeftOfTheAreasCorner) {
    // Panels along the left and top edges, a frame wanted behind them.
    EXPECT_EQ(keptWithin(QRect(10, 5, 300, 100), QRect(64, 27, 1000, 700)), QPoint(64, 27));
    // Too large for the area: its title bar stays in reach, the rest runs off at the bottom right.
    EXPECT_EQ(keptWithin(frame, QRect(0, 32, 683, 352)), QPoint(0, 32));
    // A second screen to the left of the first.
    EXPECT_EQ(keptWithin(QRect(-700, 600, 804, 630), QRect(-1280, 0, 1280, 1024)),
              QPoint(-804, 1024 - 630));
}

} // namespace
} // namespace qolmex
