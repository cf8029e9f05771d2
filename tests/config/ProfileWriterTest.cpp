#include "config/ProfileWriter.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

TEST(ProfileWriter, WritesSectionsInTheOrderOfTheirFirstEntry) {
    ProfileWriter writer;
    writer.set("B", "b1", "x");
    writer.set("A", "a1", "");
    writer.set("B", "b2", "y");
    EXPECT_EQ(writer.apply(""), "[B]\r\nb1=x\r\nb2=y\r\n[A]\r\na1=\r\n");
}

TEST(ProfileWriter, UpdatesKeysInPlaceAndKeepsEveryOtherLineByteForByte) {
    const std::string old = "; made by hand\n[Other]\nx = 1\n\n[a]\r\n  KEY = old \r\nmine=7\n";
    ProfileWriter writer;
    writer.set("A", "key", "new");
    EXPECT_EQ(writer.apply(old),
              "; made by hand\n[Other]\nx = 1\n\n[a]\r\nKEY=new\r\nmine=7\n");
}

TEST(ProfileWriter, AddsANewKeyAfterTheLastEntryOfItsSection) {
    const std::string old = "[A]\r\nk=1\r\n\r\n; end of A\r\n[B]\r\nj=2\r\n";
    ProfileWriter writer;
    writer.set("a", "n", "3");
    writer.set("B", "m", "4");
    EXPECT_EQ(writer.apply(old),
              "[A]\r\nk=1\r\nn=3\r\n\r\n; end of A\r\n[B]\r\nj=2\r\nm=4\r\n");
}

TEST(ProfileWriter, EndsAnUnendedLastLineBeforeAddingToIt) {
    ProfileWriter writer;
    writer.set("A", "n", "1");
    writer.set("C", "c", "2");
    EXPECT_EQ(writer.apply("[A]\r\nk=0"), "[A]\r\nk=0\r\nn=1\r\n[C]\r\nc=2\r\n");
    EXPECT_EQ(writer.apply("; note"), "; note\r\n[A]\r\nn=1\r\n[C]\r\nc=2\r\n");
}

TEST(ProfileWriter, OnlyTheFirstSectionAndKeyOfANameAreWritten) {
    ProfileWriter writer;
    writer.set("A", "k", "new");
    EXPECT_EQ(writer.apply("[A]\r\nk=1\r\nk=2\r\n[A]\r\nk=3\r\n"),
              "[A]\r\nk=new\r\nk=2\r\n[A]\r\nk=3\r\n");
}

TEST(ProfileWriter, AValueEndsAtItsFirstLineBreak) {
    ProfileWriter writer;
    writer.set("A", "k", "first\r\n[POV]\r\neditPOV1_1=123");
    writer.set("A", "j", "one\ntwo");
    const std::string written = writer.apply("");
    EXPECT_EQ(written, "[A]\r\nk=first\r\nj=one\r\n");
}

} // namespace
} // namespace qolmex
