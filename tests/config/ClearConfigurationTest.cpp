#include "config/ClearConfiguration.h"
#include "config/Configuration.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

TEST(Clear, AFreshRecordStaysAsItIs) {
    Configuration c;
    clearConfiguration(c);
    EXPECT_EQ(c, Configuration());
}

TEST(Clear, AFullyFilledRecordBecomesAFreshOne) {
    Configuration c;
    for (const FieldDef& f : fieldTable()) {
        switch (f.kind) {
        case FieldKind::PhoneNumber:
        case FieldKind::DtmfCode:
            c.setText(f.name, "0905" + std::to_string(f.position));
            break;
        case FieldKind::SmsText:
            c.setText(f.name, "text \xe8");
            break;
        case FieldKind::WholeNumber:
            c.setText(f.name, "abc");
            break;
        case FieldKind::Polarity:
            break;
        }
    }
    c.setChosen("rbVST2_2", true);
    c.setChosen("rbVST1_1", false);
    ASSERT_EQ(c.text("editPOV2_64"), "090564");
    ASSERT_FALSE(c == Configuration());

    clearConfiguration(c);
    EXPECT_EQ(c, Configuration());
    EXPECT_TRUE(c.isChosen("rbVST2_1"));
    EXPECT_FALSE(c.isChosen("rbVST2_2"));
    EXPECT_TRUE(c.text("MemoDTMFZAP1").empty());
    EXPECT_EQ(c.text("spinDELAY2"), "1");
}

} // namespace
} // namespace qolmex
