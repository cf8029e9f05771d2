#include "transfer/ImageEncoder.h"

#include "transfer/ConfigurationValidator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qolmex {
namespace {

BlockData bytes(std::initializer_list<std::uint8_t> leading) {
    BlockData data{};
    std::copy(leading.begin(), leading.end(), data.begin());
    return data;
}

const BlockData zeros{};

const Block& blockAt(const std::vector<Block>& blocks, std::uint16_t address) {
    const auto it = std::find_if(blocks.begin(), blocks.end(),
                                 [&](const Block& b) { return b.address == address; });
    if (it == blocks.end())
        throw std::out_of_range("no block at " + std::to_string(address));
    return *it;
}

void fillList(Configuration& c, ListId list, int count) {
    for (int k = 1; k <= count; ++k)
        c.setText(c.position(list, k), "09" + std::to_string(k));
}

TEST(ImageLayout, IsTheWholeImageInAscendingOrderWithoutTheTwoGaps) {
    const auto blocks = encodeImage(Configuration{});
    ASSERT_EQ(blocks.size(), 254u);
    std::uint16_t expected = 0;
    for (const Block& b : blocks) {
        if (expected == 3040)
            expected = 3072;
        EXPECT_EQ(b.address, expected);
        expected = static_cast<std::uint16_t>(expected + 16);
    }
    EXPECT_EQ(blocks.back().address, 4080);
}

TEST(ImageLayout, AFreshConfigurationIsAllZero) {
    // Empty texts, delays of 1 and "Spínací" for both inputs all encode as 0x00.
    for (const Block& b : encodeImage(Configuration{}))
        EXPECT_EQ(b.data, zeros) << "at " << b.address;
}

TEST(PhoneNumberBlock, HoldsTheLengthThenTheCharacters) {
    Configuration c;
    c.setText("editPOV1_1", "+4219051234567"); // 14 characters
    c.setText("editPOV2_1", "123456789012345"); // 15 fit exactly
    const auto blocks = encodeImage(c);

    EXPECT_EQ(blockAt(blocks, 0).data,
              bytes({14, '+', '4', '2', '1', '9', '0', '5', '1', '2', '3', '4', '5', '6', '7', 0}));
    EXPECT_EQ(blockAt(blocks, 1024).data, bytes({15, '1', '2', '3', '4', '5', '6', '7', '8', '9',
                                                 '0', '1', '2', '3', '4', '5'}));
    EXPECT_EQ(blockAt(blocks, 16).data, zeros);
}

TEST(PhoneNumberBlock, PositionsAndDtmfCodesLieAtTheirAddresses) {
    Configuration c;
    c.setText("editPOO2_1", "1");
    c.setText("editPOO2_2", "2");
    c.setText("editPOO2_3", "+42190");
    c.setText("editTCZSSMS_8", "x"); // cut by the list rule: position 7 is empty
    c.setText("editTCZSSMS_1", "77");
    c.setText("MemoDTMFZAP2", "1234");
    c.setText("MemoDTMFVYP1", "9");
    const auto blocks = encodeImage(c);

    EXPECT_EQ(blockAt(blocks, 2208).data, bytes({0x06, 0x2B, 0x34, 0x32, 0x31, 0x39, 0x30}));
    EXPECT_EQ(blockAt(blocks, 2816).data, bytes({2, '7', '7'}));
    EXPECT_EQ(blockAt(blocks, 2928).data, zeros);
    EXPECT_EQ(blockAt(blocks, 2960).data, bytes({1, '9'}));
    EXPECT_EQ(blockAt(blocks, 2976).data, bytes({4, '1', '2', '3', '4'}));
    EXPECT_EQ(blockAt(blocks, 2944).data, zeros);
}

TEST(ListCountBlock, CountsTheFilledPositionsOfEachList) {
    Configuration c;
    fillList(c, ListId::POV1, 5);
    fillList(c, ListId::POV2, 64);
    fillList(c, ListId::POO2, 8);
    fillList(c, ListId::TCV1, 1);
    fillList(c, ListId::TCZSSMS, 3);
    EXPECT_EQ(blockAt(encodeImage(c), 3008).data, bytes({5, 64, 0, 8, 0, 0, 1, 0, 3}));
}

class SettingsBlock : public ::testing::Test {
protected:
    BlockData settings() const { return blockAt(encodeImage(c), 3024).data; }
    Configuration c;
};

TEST_F(SettingsBlock, MatchesTheWorkedExampleByteForByte) {
    c.setChosen("rbVST1_2", true);
    c.setText("spinINTERVAL", "7");
    c.setText("spinCAS", "18");
    c.setText("SpinCASRELE1", "5");
    c.setText("SpinCASRELE2", "0");
    c.setText("spinKREDIT", "3");
    c.setText("spinDELAY1", "1");
    c.setText("spinDELAY2", "10");
    c.setText("memoSMSNV1", "koniec");
    EXPECT_EQ(settings(), (BlockData{0x01, 0x07, 0x18, 0x05, 0x00, 0x03, 0x00, 0x09, 0, 0, 0, 0,
                                     0, 0, 0, 0x01}));
}

TEST_F(SettingsBlock, PacksTheHourAsBcd) {
    const std::pair<const char*, std::uint8_t> hours[] = {
        {"0", 0x00}, {"9", 0x09}, {"10", 0x10}, {"19", 0x19}, {"23", 0x23}};
    for (const auto& [hour, byte] : hours) {
        c.setText("spinCAS", hour);
        EXPECT_EQ(settings()[2], byte) << hour;
    }
}

TEST_F(SettingsBlock, StoresDelaysLessOneAndOtherNumbersPlain) {
    c.setText("spinDELAY1", "255");
    c.setText("spinDELAY2", "2");
    c.setText("SpinCASRELE1", "255");
    c.setText("spinINTERVAL", "180");
    c.setText("spinKREDIT", "9");
    const BlockData s = settings();
    EXPECT_EQ(s[6], 0xFE);
    EXPECT_EQ(s[7], 0x01);
    EXPECT_EQ(s[3], 0xFF);
    EXPECT_EQ(s[1], 180);
    EXPECT_EQ(s[5], 9);
}

TEST_F(SettingsBlock, SetsAPolarityBitPerRozpinaciInput) {
    EXPECT_EQ(settings()[0], 0x00);
    c.setChosen("rbVST2_2", true);
    EXPECT_EQ(settings()[0], 0x02);
    c.setChosen("rbVST1_2", true);
    EXPECT_EQ(settings()[0], 0x03);
    // Neither button chosen (possible after Open) counts as "Spínací".
    c.setChosen("rbVST1_2", false);
    EXPECT_EQ(settings()[0], 0x02);
}

TEST_F(SettingsBlock, FlagsEachNonEmptySmsnvText) {
    c.setText("memoSMSNV2", "x");
    EXPECT_EQ(settings()[15], 0x02);
    c.setText("memoSMSNV1", "y");
    EXPECT_EQ(settings()[15], 0x03);
    c.setText("memoSMSV1", "z"); // other texts raise no flag
    c.setText("memoSMSNV2", "");
    EXPECT_EQ(settings()[15], 0x01);
}

TEST(SmsArea, ShortTextUsesTheFirstBlockOnly) {
    Configuration c;
    c.setText("memoSMSZAP2", "ZAP");
    c.setText("memoSMSVYP1", std::string(15, 'v'));
    const auto blocks = encodeImage(c);

    EXPECT_EQ(blockAt(blocks, 3712).data, bytes({0x03, 0x5A, 0x41, 0x50}));
    for (std::uint16_t a = 3728; a <= 3824; a += 16)
        EXPECT_EQ(blockAt(blocks, a).data, zeros) << a;

    BlockData first{};
    first.fill('v');
    first[0] = 15;
    EXPECT_EQ(blockAt(blocks, 3840).data, first);
    for (std::uint16_t a = 3856; a <= 3952; a += 16)
        EXPECT_EQ(blockAt(blocks, a).data, zeros) << a;
}

TEST(SmsArea, LongestTextFillsAllEightBlocks) {
    Configuration c;
    std::string text;
    for (int i = 0; i < 127; ++i)
        text += static_cast<char>(32 + i % 95);
    c.setText("memoSMSV2", text);
    const auto blocks = encodeImage(c);

    EXPECT_EQ(blockAt(blocks, 3200).data[0], 0x7F);
    EXPECT_EQ(blockAt(blocks, 3200).data[1], static_cast<std::uint8_t>(text[0]));
    EXPECT_EQ(blockAt(blocks, 3216).data[0], static_cast<std::uint8_t>(text[15]));
    EXPECT_EQ(blockAt(blocks, 3312).data[15], static_cast<std::uint8_t>(text[126]));
    EXPECT_EQ(blockAt(blocks, 3072).data, zeros); // member 1 of the pair untouched
}

TEST(Encoding, RefusesAConfigurationThatFailsValidation) {
    Configuration c;
    c.setText("memoSMSZAP1", std::string(128, 'a'));
    try {
        encodeImage(c);
        FAIL() << "an SMS text of 128 bytes was encoded";
    } catch (const InvalidConfiguration& e) {
        EXPECT_EQ(e.error().name, "memoSMSZAP1");
    }

    Configuration numbers;
    numbers.setText("spinDELAY2", "0"); // would wrap to 0xFF
    EXPECT_THROW(encodeImage(numbers), InvalidConfiguration);
}

} // namespace
} // namespace qolmex
