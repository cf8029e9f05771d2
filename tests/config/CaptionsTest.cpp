#include "config/Captions.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace qolmex::captions {
namespace {

const FieldDef& field(std::string_view name) {
    for (const FieldDef& f : fieldTable())
        if (f.name == name)
            return f;
    throw std::out_of_range(std::string(name));
}

// A place that two fields shared would name neither of them; every shown field has one.
TEST(Captions, EveryShownFieldHasAPlaceOfItsOwn) {
    std::set<std::tuple<std::string_view, std::string_view, std::string_view, std::string>> seen;
    for (const FieldDef& f : fieldTable()) {
        const FieldPlace place = placeOf(f);
        EXPECT_FALSE(place.group.empty()) << f.name;
        if (f.kind == FieldKind::DtmfCode) {
            EXPECT_TRUE(place.label.empty()) << f.name; // never shown, so never named
            continue;
        }
        EXPECT_FALSE(place.label.empty()) << f.name;
        EXPECT_TRUE(seen.insert({place.group, place.page, place.heading, place.label}).second)
            << f.name;
    }
}

// The words themselves are the window's test; here, that each field is put where it stands.
TEST(Captions, PlacesAreWhereTheWindowShowsThem) {
    const FieldPlace sms = placeOf(field("editTCV1_1"));
    EXPECT_EQ(sms.group, inputsGroup);
    EXPECT_EQ(sms.page, inputPage[0]);
    EXPECT_TRUE(sms.heading.empty());
    EXPECT_EQ(sms.label, positionLabel(1));

    const FieldPlace sound = placeOf(field("editPZS2_8"));
    EXPECT_EQ(sound.page, inputPage[1]);
    EXPECT_EQ(sound.heading, soundNumbers);

    EXPECT_EQ(placeOf(field("editTCZSSMS_3")).label, positionLabel(3, false));
    EXPECT_EQ(placeOf(field("editPOV2_10")).label, positionLabel(10));
    EXPECT_EQ(placeOf(field("editPOV1_1")).page, ringPage[0]);
    EXPECT_EQ(placeOf(field("editPOO2_1")).page, smsNumbersPage[1]);
    EXPECT_EQ(placeOf(field("rbVST2_2")).label, opening);
    EXPECT_EQ(placeOf(field("rbVST2_2")).heading, polarity);
    EXPECT_EQ(placeOf(field("spinKREDIT")).unit, euro);
    EXPECT_EQ(placeOf(field("SpinCASRELE2")).page, outputSmsPage[1]);
    EXPECT_EQ(oneLine(placeOf(field("memoSMSNV1")).label), "Text SMS zaslaný pri deaktivácii");
}

TEST(Captions, HintsFollowThePageOrGroupWhereTheFieldHasNone) {
    EXPECT_NE(hintOf(field("rbVST1_1")), hintOf(field("rbVST1_2")));
    EXPECT_EQ(hintOf(field("editPZS1_4")), hintOf(field("editPZS2_1")));
    EXPECT_NE(hintOf(field("editTCV1_1")), hintOf(field("editPZS1_1")));
    EXPECT_FALSE(hintOf(field("SpinCASRELE2")).empty());
    EXPECT_TRUE(hintOf(field("editPOV1_1")).empty());
    EXPECT_TRUE(hintOf(field("editTCZSSMS_1")).empty());
    EXPECT_TRUE(hintOf(field("MemoDTMFZAP1")).empty());
}

} // namespace
} // namespace qolmex::captions
