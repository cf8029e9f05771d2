#include "config/Configuration.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

// The state a list must reach whatever happened: a gapless run from position 1, the first
// empty position enabled, everything after it disabled and empty.
void expectListInvariant(const Configuration& c, ListId list) {
    const int n = numberList(list).size;
    int firstEmpty = n + 1;
    for (int k = 1; k <= n; ++k) {
        if (c.text(c.position(list, k)).empty()) {
            firstEmpty = k;
            break;
        }
    }
    for (int k = 1; k <= n; ++k) {
        const FieldId id = c.position(list, k);
        EXPECT_EQ(c.isEnabled(id), k <= firstEmpty) << c.definition(id).name;
        if (k > firstEmpty) {
            EXPECT_TRUE(c.text(id).empty()) << c.definition(id).name;
        }
    }
}

void fill(Configuration& c, ListId list, int count) {
    for (int k = 1; k <= count; ++k)
        c.setText(c.position(list, k), "09" + std::to_string(k));
}

TEST(ListRule, FillingAPositionEnablesOnlyTheNext) {
    Configuration c;
    c.setText("editTCV1_1", "0");
    EXPECT_TRUE(c.isEnabled("editTCV1_2"));
    EXPECT_TRUE(c.text("editTCV1_2").empty());
    EXPECT_FALSE(c.isEnabled("editTCV1_3"));
    expectListInvariant(c, ListId::TCV1);
}

TEST(ListRule, EmptyingPositionThreeOfSixEmptiesTheRest) {
    Configuration c;
    fill(c, ListId::TCV1, 6);
    c.setText("editTCV1_3", "");
    EXPECT_EQ(c.text("editTCV1_1"), "091");
    EXPECT_EQ(c.text("editTCV1_2"), "092");
    EXPECT_TRUE(c.isEnabled("editTCV1_3"));
    for (int k = 4; k <= 8; ++k) {
        EXPECT_TRUE(c.text("editTCV1_" + std::to_string(k)).empty());
        EXPECT_FALSE(c.isEnabled("editTCV1_" + std::to_string(k)));
    }
}

TEST(ListRule, EmptyingPositionOneEmptiesTheWholeList) {
    Configuration c;
    fill(c, ListId::POV2, 64);
    c.setText("editPOV2_1", "");
    EXPECT_TRUE(c.isEnabled("editPOV2_1"));
    expectListInvariant(c, ListId::POV2);
    EXPECT_TRUE(c.text("editPOV2_2").empty());
    EXPECT_FALSE(c.isEnabled("editPOV2_64"));
}

TEST(ListRule, ANumberSetAfterAGapIsRemovedAtOnce) {
    Configuration c;
    fill(c, ListId::POO2, 3);
    c.setText("editPOO2_5", "123"); // as Open or Read would set it
    EXPECT_TRUE(c.text("editPOO2_5").empty());
    EXPECT_FALSE(c.isEnabled("editPOO2_5"));
    EXPECT_TRUE(c.isEnabled("editPOO2_4"));
    expectListInvariant(c, ListId::POO2);
}

TEST(ListRule, TheLastPositionEnablesNothingFurther) {
    Configuration c;
    fill(c, ListId::POV1, 64);
    fill(c, ListId::TCZSSMS, 8);
    EXPECT_EQ(c.text("editPOV1_64"), "0964");
    EXPECT_TRUE(c.isEnabled("editPOV1_64"));
    expectListInvariant(c, ListId::POV1);
    expectListInvariant(c, ListId::TCZSSMS);
    EXPECT_TRUE(c.isEnabled("editPOV2_1")); // the next list is untouched
    EXPECT_FALSE(c.isEnabled("editPOV2_2"));
}

TEST(ListRule, ListsAreIndependent) {
    Configuration c;
    fill(c, ListId::POV1, 5);
    fill(c, ListId::TCV2, 4);
    fill(c, ListId::PZS1, 4);
    c.setText("editPOV2_1", "1");
    c.setText("editPOV2_1", "");
    c.setText("editTCV1_1", "1");
    c.setText("editTCV1_1", "");
    EXPECT_EQ(c.text("editPOV1_5"), "095");
    EXPECT_EQ(c.text("editTCV2_4"), "094");
    EXPECT_EQ(c.text("editPZS1_4"), "094");
    for (const NumberList& list : numberLists)
        expectListInvariant(c, list.id);
}

class Counter : public ConfigurationObserver {
public:
    void fieldChanged(FieldId) override { ++count; }
    int count = 0;
};

TEST(ListRule, SettingTheSameTextRunsNothing) {
    Configuration c;
    fill(c, ListId::TCV1, 3);
    Counter counter;
    c.addObserver(counter);
    c.setText("editTCV1_2", "092");
    c.setText("editTCV1_5", "");
    EXPECT_EQ(counter.count, 0);
}

TEST(ListRule, HoldsAfterAnySequenceOfChanges) {
    Configuration c;
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    for (int step = 0; step < 2000; ++step) {
        const FieldId id = c.position(ListId::TCV1, static_cast<int>(next() % 8) + 1);
        c.setText(id, next() % 3 == 0 ? "" : std::to_string(next()));
        expectListInvariant(c, ListId::TCV1);
    }
}

} // namespace
} // namespace qolmex
