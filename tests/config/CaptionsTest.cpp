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

TEST(Captions, PlacesAreWhereTheWindowShowsThem) {
    const FieldPlace sms = placeOf(field("editTCV1_1"));
    EXPECT_EQ(sms.group, "Tel. čísla pre zasielanie SMS");
    EXPECT_EQ(sms.page, "1. vstup");
    EXPECT_EQ(sms.label, "1. číslo");

    const FieldPlace sound = placeOf(field("editPZS2_8"));
    EXPECT_EQ(sound.page, "2. vstup");
    EXPECT_EQ(sound.heading, "Tel. čísla pre zvukové signály");

    EXPECT_EQ(placeOf(field("editTCZSSMS_3")).label, "3.číslo");
    EXPECT_EQ(placeOf(field("editPOV2_10")).label, "10.číslo");
    EXPECT_EQ(placeOf(field("editPOV1_1")).page, "1. výstup - pezvonenie");
    EXPECT_EQ(placeOf(field("editPOO2_1")).page, "2.výstup - SMS");
    EXPECT_EQ(placeOf(field("rbVST2_2")).label, "Rozpínací");
    EXPECT_EQ(placeOf(field("spinKREDIT")).unit, "(€)");
    EXPECT_EQ(placeOf(field("SpinCASRELE2")).page, "2.výstup");
    EXPECT_EQ(oneLine(placeOf(field("memoSMSNV1")).label), "Text SMS zaslaný pri deaktivácii");
}

TEST(Captions, HintsFollowThePageOrGroupWhereTheFieldHasNone) {
    EXPECT_EQ(hintOf(field("rbVST1_1")), "Vstup sa aktivuje privedením napätia");
    EXPECT_EQ(hintOf(field("editPZS1_4")),
              "Tel. číslo, na ktoré bude odvzdaný zvukový signál o aktivovaní vstupu.");
    EXPECT_TRUE(hintOf(field("editPOV1_1")).empty());
    EXPECT_TRUE(hintOf(field("editTCZSSMS_1")).empty());
}

} // namespace
} // namespace qolmex::captions
