#include "transfer/ConfigurationValidator.h"

#include <gtest/gtest.h>

#include <string>

namespace qolmex {
namespace {

using Reason = ValidationError::Reason;

TEST(Validation, PassesAFreshAndAFullConfiguration) {
    EXPECT_FALSE(validateForUnit(Configuration{}));

    Configuration c;
    c.setText("editPOV1_1", std::string(15, '1'));
    c.setText("MemoDTMFVYP2", std::string(15, '2'));
    c.setText("memoSMSVYP2", std::string(127, 's'));
    c.setText("spinINTERVAL", "180");
    c.setText("spinCAS", "23");
    c.setText("SpinCASRELE2", "255");
    c.setText("spinDELAY1", "255");
    c.setText("spinKREDIT", "9");
    EXPECT_FALSE(validateForUnit(c));
}

TEST(Validation, RefusesTextsLongerThanTheirBlockOrArea) {
    struct Case {
        const char* field;
        std::size_t length;
        std::size_t limit;
    };
    for (const Case& k : {Case{"editPOV2_1", 16, 15}, Case{"MemoDTMFZAP1", 16, 15},
                          Case{"memoSMSNV2", 128, 127}}) {
        Configuration c;
        c.setText(k.field, std::string(k.length, '7'));
        const auto error = validateForUnit(c);
        ASSERT_TRUE(error) << k.field;
        EXPECT_EQ(error->field, c.id(k.field));
        EXPECT_EQ(error->name, k.field);
        EXPECT_EQ(error->reason, Reason::TooLong);
        EXPECT_EQ(error->limit, k.limit);
    }
}

TEST(Validation, RefusesWholeNumbersOutsideTheirRange) {
    struct Case {
        const char* field;
        const char* text;
        std::int64_t min, max;
    };
    for (const Case& k : {Case{"SpinCASRELE1", "300", 0, 255}, Case{"spinDELAY1", "0", 1, 255},
                          Case{"spinCAS", "24", 0, 23}, Case{"spinINTERVAL", "181", 0, 180},
                          Case{"spinKREDIT", "-1", 0, 9}}) {
        Configuration c;
        c.setText(k.field, k.text);
        const auto error = validateForUnit(c);
        ASSERT_TRUE(error) << k.field << " " << k.text;
        EXPECT_EQ(error->name, k.field);
        EXPECT_EQ(error->reason, Reason::NotInRange);
        EXPECT_EQ(error->min, k.min);
        EXPECT_EQ(error->max, k.max);
    }
}

TEST(Validation, RefusesTextsThatAreNoWholeNumber) {
    for (const char* text : {"", "abc", "2.5", "1e2", "7x", "99999999999999999999"}) {
        Configuration c;
        c.setText("spinDELAY2", text);
        const auto error = validateForUnit(c);
        ASSERT_TRUE(error) << '"' << text << '"';
        EXPECT_EQ(error->name, "spinDELAY2");
        EXPECT_EQ(error->reason, Reason::NotWholeNumber);
        EXPECT_EQ(error->min, 1);
        EXPECT_EQ(error->max, 255);
    }
}

TEST(Validation, AcceptsAnyWrittenFormOfAWholeNumber) {
    EXPECT_EQ(wholeNumberOf("7"), 7);
    EXPECT_EQ(wholeNumberOf(" 7 "), 7);
    EXPECT_EQ(wholeNumberOf("7.0"), 7);
    EXPECT_EQ(wholeNumberOf("+07"), 7);
    EXPECT_EQ(wholeNumberOf("-3"), -3);
    EXPECT_FALSE(wholeNumberOf("7.5"));
}

TEST(Validation, NamesTheFirstOffenderInWritingOrder) {
    Configuration c;
    // The field table starts with TCV, but POV2 is written before it.
    c.setText("editTCV1_1", std::string(16, '1'));
    c.setText("editPOV2_1", std::string(16, '2'));
    c.setText("spinCAS", "24");
    c.setText("memoSMSV1", std::string(200, 's'));
    EXPECT_EQ(validateForUnit(c)->name, "editPOV2_1");

    c.setText("editPOV2_1", "");
    EXPECT_EQ(validateForUnit(c)->name, "editTCV1_1");
    c.setText("editTCV1_1", "");
    EXPECT_EQ(validateForUnit(c)->name, "spinCAS");
    c.setText("spinCAS", "0");
    EXPECT_EQ(validateForUnit(c)->name, "memoSMSV1");
}

} // namespace
} // namespace qolmex
