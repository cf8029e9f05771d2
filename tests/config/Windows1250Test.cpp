#include "config/Windows1250.h"

#include <gtest/gtest.h>

#include <set>

namespace qolmex {
namespace {

TEST(Windows1250, EveryByteSurvivesTheWayToTheScreenAndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string shown = decodeWindows1250(all);
    ASSERT_EQ(shown.size(), 256u);
    EXPECT_EQ(std::set<char16_t>(shown.begin(), shown.end()).size(), 256u) << "two bytes look alike";
    EXPECT_EQ(encodeWindows1250(shown), all);
}

TEST(Windows1250, SlovakLettersReadRight) {
    EXPECT_EQ(decodeWindows1250("\xe8\x9e\xfd\xf4\xbe\xe5\xe0\xe4\x9a\x9d\xef\xf2"),
              u"čžýôľĺŕäšťďň");
    EXPECT_EQ(decodeWindows1250("\xc8\x8e\xdd\xd4\xbc\xc5\xc0\xc4\x8a\x8d\xcf\xd2"),
              u"ČŽÝÔĽĹŔÄŠŤĎŇ");
    EXPECT_EQ(windows1250ToUnicode(0x80), u'€');
}

TEST(Windows1250, TheFiveUndefinedBytesShowAsTheirOwnNumber) {
    for (const unsigned b : {0x81u, 0x83u, 0x88u, 0x90u, 0x98u}) {
        EXPECT_EQ(windows1250ToUnicode(static_cast<unsigned char>(b)), static_cast<char16_t>(b));
        EXPECT_EQ(unicodeToWindows1250(static_cast<char16_t>(b)), b);
    }
}

TEST(Windows1250, ACharacterWithoutAByteBecomesAQuestionMark) {
    EXPECT_EQ(unicodeToWindows1250(u'ø'), std::nullopt);
    EXPECT_EQ(encodeWindows1250(u"aø€"), "a?\x80");
}

TEST(Windows1250, TextForATerminalIsUtf8) {
    EXPECT_EQ(windows1250ToUtf8("\xe8\x9e\xfd a\x80\x81"), "čžý a€\xc2\x81");
}

} // namespace
} // namespace qolmex
