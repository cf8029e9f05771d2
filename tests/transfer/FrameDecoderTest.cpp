#include "transfer/FrameDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace qolmex {
namespace {

BlockData countedText(std::uint8_t length, std::string_view text) {
    BlockData data{};
    data[0] = length;
    std::copy(text.begin(), text.end(), data.begin() + 1);
    return data;
}

// The eight blocks of an SMS area with the given length byte and characters.
std::vector<Block> smsArea(std::uint16_t base, std::uint8_t length, std::string_view text) {
    std::array<std::uint8_t, 128> area{};
    area[0] = length;
    std::copy(text.begin(), text.end(), area.begin() + 1);
    std::vector<Block> blocks;
    for (std::size_t i = 0; i < 8; ++i) {
        Block b{static_cast<std::uint16_t>(base + 16 * i), {}};
        std::copy_n(area.begin() + static_cast<std::ptrdiff_t>(16 * i), 16, b.data.begin());
        blocks.push_back(b);
    }
    return blocks;
}

class Decoding : public ::testing::Test {
protected:
    void apply(std::uint16_t address, const BlockData& data) { decoder.apply(address, data); }
    void apply(const std::vector<Block>& blocks) {
        for (const Block& b : blocks)
            decoder.apply(b);
    }

    Configuration c;
    FrameDecoder decoder{c};
};

TEST_F(Decoding, PhoneNumberBlocksGoToTheirPositionAndDtmfCode) {
    for (int k = 1; k <= 17; ++k)
        apply(static_cast<std::uint16_t>(1024 + 16 * (k - 1)), countedText(2, std::string{'0', static_cast<char>('0' + k % 10)}));
    apply(2208 - 32, countedText(1, "1"));
    apply(2208 - 16, countedText(1, "2"));
    apply(2208, countedText(6, "+42190"));
    apply(2432, countedText(3, "555"));
    apply(2816 + 16 * 7, countedText(1, "8")); // TCZSSMS 8 behind an empty 7: cut
    apply(2992, countedText(4, "1234"));

    EXPECT_EQ(c.text("editPOV2_17"), "07");
    EXPECT_EQ(c.text("editPOO2_3"), "+42190");
    EXPECT_EQ(c.text("editPZS2_1"), "555");
    EXPECT_EQ(c.text("editTCZSSMS_8"), "");
    EXPECT_EQ(c.text("MemoDTMFVYP2"), "1234");
    EXPECT_EQ(c.text("MemoDTMFZAP2"), "");
}

TEST_F(Decoding, LengthZeroEmptiesAndTheListRuleCutsBehindIt) {
    for (int k = 1; k <= 4; ++k)
        c.setText(c.position(ListId::TCV1, k), "12");
    apply(2560 + 16, countedText(0, "999")); // characters behind a zero length are no text
    EXPECT_EQ(c.text("editTCV1_1"), "12");
    EXPECT_EQ(c.text("editTCV1_2"), "");
    EXPECT_EQ(c.text("editTCV1_3"), "");
    EXPECT_TRUE(c.isEnabled("editTCV1_2"));
    EXPECT_FALSE(c.isEnabled("editTCV1_3"));
}

TEST_F(Decoding, LengthBeyondTheBlockTakesOnlyItsFifteenCharacters) {
    apply(0, countedText(20, "123456789012345"));
    EXPECT_EQ(c.text("editPOV1_1"), "123456789012345");

    BlockData blank;
    blank.fill(0xFF);
    apply(2944, blank);
    EXPECT_EQ(c.text("MemoDTMFZAP1"), std::string(15, '\xFF'));
}

class SettingsDecoding : public Decoding {
protected:
    BlockData settings(std::initializer_list<std::uint8_t> leading) {
        BlockData data{};
        std::copy(leading.begin(), leading.end(), data.begin());
        return data;
    }
};

TEST_F(SettingsDecoding, ReadsBcdHoursAndDelaysPlusOne) {
    apply(3024, settings({0, 0, 0x23, 0, 0, 0, 0xFE, 0}));
    EXPECT_EQ(c.text("spinCAS"), "23");
    EXPECT_EQ(c.text("spinDELAY1"), "255");
    EXPECT_EQ(c.text("spinDELAY2"), "1");
    apply(3024, settings({0, 0, 0x09}));
    EXPECT_EQ(c.text("spinCAS"), "9");
}

TEST_F(SettingsDecoding, KeepsWhatTheUnitHoldsEvenOutsideTheRange) {
    apply(3024, settings({0, 200, 0xFF, 0, 0, 0xFF, 0xFF, 0}));
    EXPECT_EQ(c.text("spinINTERVAL"), "200");
    EXPECT_EQ(c.text("spinCAS"), "165");
    EXPECT_EQ(c.text("spinKREDIT"), "255");
    EXPECT_EQ(c.text("spinDELAY1"), "256");
}

TEST_F(SettingsDecoding, ChoosesPolarityByTheTableOrLeavesIt) {
    const std::array<std::array<bool, 2>, 4> rozpinaci{{{false, false}, {true, false},
                                                        {false, true}, {true, true}}};
    for (std::uint8_t byte = 0; byte < 4; ++byte) {
        apply(3024, settings({byte}));
        EXPECT_EQ(c.isChosen("rbVST1_2"), rozpinaci[byte][0]) << int{byte};
        EXPECT_EQ(c.isChosen("rbVST1_1"), !rozpinaci[byte][0]) << int{byte};
        EXPECT_EQ(c.isChosen("rbVST2_2"), rozpinaci[byte][1]) << int{byte};
        EXPECT_EQ(c.isChosen("rbVST2_1"), !rozpinaci[byte][1]) << int{byte};
    }
    for (int byte : {4, 5, 0x80, 0xFF}) {
        apply(3024, settings({static_cast<std::uint8_t>(byte), 9}));
        EXPECT_TRUE(c.isChosen("rbVST1_2"));
        EXPECT_TRUE(c.isChosen("rbVST2_2"));
        EXPECT_EQ(c.text("spinINTERVAL"), "9"); // the numbers are still taken
    }
}

TEST_F(Decoding, IgnoresFramesThatCarryNoField) {
    BlockData busy;
    busy.fill(0x05);
    const Configuration before(c);
    for (int address : {3008, 3040, 3056, 2945, 3071, 4096, 5000, 32896, 65535})
        apply(static_cast<std::uint16_t>(address), busy);
    EXPECT_EQ(c, before);
}

TEST(ReadEnd, ComesWithTheLastBlockOrAnyAddressBeyond) {
    EXPECT_FALSE(endsRead(0));
    EXPECT_FALSE(endsRead(4064));
    EXPECT_TRUE(endsRead(4080));
    EXPECT_TRUE(endsRead(5000));
    EXPECT_TRUE(endsRead(32896));
}

TEST_F(Decoding, GathersAnSmsAreaIntoThePairMemberOfItsFirstBlock) {
    std::string text;
    for (int i = 0; i < 127; ++i)
        text += static_cast<char>('a' + i % 26);
    apply(smsArea(3712, 127, text));
    EXPECT_EQ(c.text("memoSMSZAP2"), text);
    EXPECT_EQ(c.text("memoSMSZAP1"), "");

    apply(smsArea(3328, 3, "ahoj"));
    EXPECT_EQ(c.text("memoSMSNV1"), "aho");
}

TEST_F(Decoding, TakesOnlyTheLengthGivenOrWhatTheAreaHolds) {
    apply(smsArea(3072, 20, "0123456789abcdefghijklmnop"));
    EXPECT_EQ(c.text("memoSMSV1"), "0123456789abcdefghij");

    c.setText("memoSMSV2", "old");
    apply(smsArea(3200, 0, "ignored"));
    EXPECT_EQ(c.text("memoSMSV2"), "");

    std::vector<Block> blank = smsArea(3968, 0, "");
    for (Block& b : blank)
        b.data.fill(0xFF);
    apply(blank);
    EXPECT_EQ(c.text("memoSMSVYP2"), std::string(127, '\xFF'));
}

TEST_F(Decoding, SetsNothingFromAnSmsAreaThatDoesNotComeInARow) {
    const auto zap1 = smsArea(3584, 5, "prvy!");
    const auto zap2 = smsArea(3712, 5, "druhy");

    // A last block alone.
    decoder.apply(zap1[7]);
    // A first block, then another area's blocks.
    decoder.apply(zap1[0]);
    for (std::size_t i = 1; i < 8; ++i)
        decoder.apply(zap2[i]);
    // A skipped middle block.
    for (std::size_t i = 0; i < 8; ++i)
        if (i != 3)
            decoder.apply(zap1[i]);
    // A repeated one.
    decoder.apply(zap2[0]);
    decoder.apply(zap2[1]);
    decoder.apply(zap2[1]);
    for (std::size_t i = 2; i < 8; ++i)
        decoder.apply(zap2[i]);
    EXPECT_EQ(c.text("memoSMSZAP1"), "");
    EXPECT_EQ(c.text("memoSMSZAP2"), "");

    // A fresh first block starts afresh, also in the middle of another area.
    decoder.apply(zap1[0]);
    decoder.apply(zap1[1]);
    apply(zap2);
    EXPECT_EQ(c.text("memoSMSZAP2"), "druhy");
    EXPECT_EQ(c.text("memoSMSZAP1"), "");
}

TEST_F(Decoding, OtherFramesBetweenSmsBlocksDoNotDisturbTheGathering) {
    const auto area = smsArea(3840, 4, "VYP1");
    decoder.apply(area[0]);
    apply(0, countedText(3, "123"));
    apply(3024, BlockData{});
    apply(32896, BlockData{});
    for (std::size_t i = 1; i < 8; ++i)
        decoder.apply(area[i]);
    EXPECT_EQ(c.text("memoSMSVYP1"), "VYP1");
    EXPECT_EQ(c.text("editPOV1_1"), "123");
}

TEST_F(Decoding, SurvivesEveryAddressWithBlankOrRandomData) {
    // Under AddressSanitizer: no frame may make the decoder reach outside its buffers.
    std::mt19937 random(7);
    BlockData data;
    // Every address, then every block address so that whole SMS areas come together.
    for (unsigned step : {1u, 16u}) {
        for (unsigned address = 0; address <= 0xFFFF; address += step) {
            if (address % 32 == 0)
                data.fill(0xFF);
            else
                std::generate(data.begin(), data.end(),
                              [&] { return static_cast<std::uint8_t>(random()); });
            apply(static_cast<std::uint16_t>(address), data);
        }
    }
    for (const NamedBlock& area : smsAreas)
        EXPECT_LE(c.text(area.field).size(), 127u);
    EXPECT_LE(c.text("editPOV1_1").size(), 15u);
}

} // namespace
} // namespace qolmex
