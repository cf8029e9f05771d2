#include "config/ProfileReader.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

std::string valueOf(const std::string& entryLine) {
    return ProfileReader::read("[S]\r\n" + entryLine + "\r\n", "S", "k");
}

TEST(ProfileValue, IsTrimmedAndLosesOnePairOfMatchingQuotes) {
    EXPECT_EQ(valueOf("k=  a b \t"), "a b");
    EXPECT_EQ(valueOf("  k  =x"), "x");
    EXPECT_EQ(valueOf("k=\"quoted\""), "quoted");
    EXPECT_EQ(valueOf("k= 'single' "), "single");
    EXPECT_EQ(valueOf("k=\"\"twice\"\""), "\"twice\"");
    EXPECT_EQ(valueOf("k=\"mixed'"), "\"mixed'");
    EXPECT_EQ(valueOf("k=\""), "\"");
    EXPECT_EQ(valueOf("k=a=b"), "a=b");
    EXPECT_EQ(valueOf("k="), "");
}

TEST(ProfileValue, IsCutAtTheLimitAndAtANulByte) {
    EXPECT_EQ(valueOf("k=" + std::string(5000, 'x')), std::string(2047, 'x'));
    EXPECT_EQ(valueOf(std::string("k=ab\0cd", 7)), "ab");
}

TEST(ProfileReader, MatchesNamesIgnoringCase) {
    const std::string file = "[tcv]\r\nEDITTCV1_1=5\r\n[AKT-deakt]\r\nrbvst1_1=1\r\n";
    EXPECT_EQ(ProfileReader::read(file, "TCV", "editTCV1_1"), "5");
    EXPECT_EQ(ProfileReader::read(file, "AKT-DEAKT", "rbVST1_1"), "1");
}

TEST(ProfileReader, MissingSectionsKeysAndOtherLinesReadEmpty) {
    const std::string file = "k=outside\r\n[A]\r\n;k=comment\r\nk\r\n[B]\r\nk=b\r\n[C\r\nk=c\r\n";
    EXPECT_EQ(ProfileReader::read(file, "A", "k"), "");
    EXPECT_EQ(ProfileReader::read(file, "X", "k"), "");
    EXPECT_EQ(ProfileReader::read(file, "B", "other"), "");
    // "[C" is no section line, so its key still belongs to B, where k was found first.
    EXPECT_EQ(ProfileReader::read(file, "B", "k"), "b");
    EXPECT_EQ(ProfileReader::read("", "B", "k"), "");
}

TEST(ProfileReader, TheFirstSectionAndKeyOfANameCount) {
    const std::string file = "[A]\r\nk=1\r\nK=2\r\n[B]\r\n[a]\r\nk=3\r\nj=4\r\n";
    EXPECT_EQ(ProfileReader::read(file, "A", "k"), "1");
    EXPECT_EQ(ProfileReader::read(file, "A", "j"), "");
}

TEST(ProfileReader, GivesTheSameValuesWhateverThePieces) {
    const std::string file = "[A]\r\nk= one \r\n[B]\nj=\"two\"\r\nlast=3";
    ProfileReader reader({{"A", "k"}, {"B", "j"}, {"B", "last"}});
    for (const char c : file)
        reader.feed(std::string_view(&c, 1));
    reader.finish();
    EXPECT_EQ(reader.value(0), "one");
    EXPECT_EQ(reader.value(1), "two");
    EXPECT_EQ(reader.value(2), "3");
}

TEST(ProfileReader, AnOverlongLineDoesNotHideTheLinesAfterIt) {
    const std::string huge(3 * ProfileReader::maxLine, '=');
    ProfileReader reader(std::vector<ProfileKey>{{"A", "k"}});
    reader.feed("[A]\r\n");
    for (std::size_t at = 0; at < huge.size(); at += 100000)
        reader.feed(std::string_view(huge).substr(at, 100000));
    reader.feed("\r\nk=after\r\n");
    reader.finish();
    EXPECT_EQ(reader.value(0), "after");
}

} // namespace
} // namespace qolmex
