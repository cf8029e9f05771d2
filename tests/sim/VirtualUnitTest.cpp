#include "sim/VirtualUnit.h"

#include <gtest/gtest.h>

#include <chrono>

namespace qolmex {
namespace {

using namespace std::chrono_literals;

class VirtualUnitTest : public ::testing::Test {
protected:
    void open(const UnitFaults& faults = {}, UnitPacing pacing = {}) {
        unit = std::make_unique<VirtualUnit>(clock, faults, pacing);
        char description[] = "FT232R USB UART";
        ASSERT_EQ(unit->FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle), FT_OK);
        ASSERT_EQ(unit->FT_SetTimeouts(handle, 500, 1000), FT_OK);
    }
    FT_STATUS write(std::string bytes) {
        DWORD written = 0;
        return unit->FT_Write(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written);
    }
    std::string read(DWORD count) {
        std::string buffer(count, ' ');
        DWORD got = 0;
        unit->FT_Read(handle, buffer.data(), count, &got);
        buffer.resize(got);
        return buffer;
    }
    static std::string frame(std::uint16_t address, std::string data) {
        data.resize(16, '\0');
        return std::string{static_cast<char>(address >> 8), static_cast<char>(address & 0xFF)} +
               data;
    }
    std::vector<std::uint16_t> readOutAddresses() {
        std::vector<std::uint16_t> addresses;
        for (;;) {
            write("\x1F");
            const std::string f = read(18);
            if (f.size() != 18)
                return addresses;
            addresses.push_back(static_cast<std::uint16_t>(
                static_cast<std::uint8_t>(f[0]) << 8 | static_cast<std::uint8_t>(f[1])));
        }
    }

    VirtualClock clock;
    std::unique_ptr<VirtualUnit> unit;
    FT_HANDLE handle = nullptr;
};

TEST_F(VirtualUnitTest, SaysItsIdentityOnOpen) {
    open();
    EXPECT_EQ(read(8), "QOLMEX70");
    EXPECT_EQ(clock.now(), 0ns);
    open({.wrongIdentity = true});
    EXPECT_EQ(read(8), "QOLMEX60");
}

TEST_F(VirtualUnitTest, SilentUnitCostsTheReadTimeoutInVirtualTimeOnly) {
    open({.silence = true});
    EXPECT_EQ(read(8), "");
    EXPECT_EQ(clock.now(), 500ms);
    write("\xAA");
    EXPECT_EQ(read(16), "");
    EXPECT_EQ(clock.now(), 1000ms);
}

TEST_F(VirtualUnitTest, WriteStartThenStoresAndEchoesEveryFrame) {
    open();
    read(8);
    write("\xAA");
    const std::string answer = read(16);
    ASSERT_EQ(answer.size(), 16u);
    EXPECT_EQ(answer[0], '\x06');

    write(frame(2944, "DTMF"));
    EXPECT_EQ(read(16), frame(2944, "DTMF").substr(2));
    write(frame(32896, "\x24\x03\x15"));
    EXPECT_EQ(read(16).size(), 16u);
    write(frame(5000, "stray"));
    EXPECT_EQ(read(16).size(), 16u); // echoed, kept nowhere
    EXPECT_EQ(std::string(unit->memory().begin() + 2944, unit->memory().begin() + 2948), "DTMF");
    EXPECT_EQ(unit->clockBlock()[0], 0x24);
    EXPECT_EQ(unit->memory()[4095], 0);
    EXPECT_EQ(unit->receivedFrameAddresses(), (std::vector<std::uint16_t>{2944, 32896, 5000}));
}

TEST_F(VirtualUnitTest, FrameSplitOverTwoWritesIsStillOneFrame) {
    open();
    read(8);
    write("\xAA");
    read(16);
    const std::string f = frame(16, "0123456789ABCDEF");
    write(f.substr(0, 5));
    EXPECT_EQ(read(16), "");
    write(f.substr(5));
    EXPECT_EQ(read(16), "0123456789ABCDEF");
}

TEST_F(VirtualUnitTest, ReadStartThenOneFramePerAcknowledgement) {
    open();
    unit->preloadMemory(4080, "end");
    read(8);
    write("\x60");
    EXPECT_EQ(read(16), std::string("\x60") + std::string(15, '\0'));
    write("\x1F");
    EXPECT_EQ(read(18), frame(0, ""));
    const std::vector<std::uint16_t> rest = readOutAddresses();
    ASSERT_EQ(rest.size(), 255u);
    EXPECT_EQ(rest.front(), 16);
    EXPECT_EQ(rest.back(), 4080);
    EXPECT_EQ(unit->framesSent(), 256u);
}

TEST_F(VirtualUnitTest, NoStartAnswerIgnoresBothStartBytes) {
    open({.noStartAnswer = true});
    read(8);
    write("\xAA\x60");
    EXPECT_EQ(read(16), "");
}

TEST_F(VirtualUnitTest, OutOfOrderKeepsSmsAreasTogetherAndEndsAt4080) {
    open({.framesOutOfOrder = true, .strayFrameAddress = std::uint16_t{5000}});
    read(8);
    write("\x60");
    read(16);
    const std::vector<std::uint16_t> order = readOutAddresses();
    ASSERT_EQ(order.size(), 257u);
    EXPECT_EQ(order[0], 3056);
    EXPECT_EQ(order[1], 5000);
    EXPECT_EQ(order[2], 3040);
    EXPECT_EQ(order[192], 0);
    for (std::size_t i = 193; i < order.size(); ++i)
        EXPECT_EQ(order[i], 3072 + 16 * (i - 193));
}

TEST_F(VirtualUnitTest, BlankMemorySendsFF) {
    open({.blankMemory = true});
    read(8);
    write("\x60");
    read(16);
    write("\x1F");
    EXPECT_EQ(read(18), std::string(2, '\0') + std::string(16, '\xFF'));
}

TEST_F(VirtualUnitTest, SplitFrameArrivesInTwoReads) {
    open({.splitFrame = 2u});
    read(8);
    write("\x60");
    read(16);
    write("\x1F");
    EXPECT_EQ(read(18).size(), 18u);
    write("\x1F");
    const auto before = clock.now();
    EXPECT_EQ(read(18).size(), 9u);
    EXPECT_EQ(clock.now() - before, 500ms);
    EXPECT_EQ(read(18).size(), 9u);
}

TEST_F(VirtualUnitTest, StallAfterFramesAnswersNothingMore) {
    open({.stallAfterFrames = 2u});
    read(8);
    write("\xAA");
    read(16);
    for (std::uint16_t a : {std::uint16_t{0}, std::uint16_t{16}}) {
        write(frame(a, "x"));
        EXPECT_EQ(read(16).size(), 16u);
    }
    write(frame(32, "x"));
    EXPECT_EQ(read(16), "");
    EXPECT_EQ(unit->memory()[32], 'x'); // still listens
}

TEST_F(VirtualUnitTest, UnplugAfterFramesFailsEveryLaterCall) {
    open({.unplugAfterFrames = 1u});
    read(8);
    write("\x60");
    read(16);
    EXPECT_EQ(write("\x1F"), FT_OK);
    EXPECT_EQ(read(18).size(), 18u);
    EXPECT_NE(write("\x1F"), FT_OK);
    EXPECT_TRUE(unit->unplugged());
    DWORD count = 99;
    char buffer[18];
    EXPECT_NE(unit->FT_Read(handle, buffer, 18, &count), FT_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_NE(unit->FT_SetBaudRate(handle, 9600), FT_OK);
    unit->FT_Close(handle);
    char description[] = "FT232R USB UART";
    EXPECT_NE(unit->FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle), FT_OK);
}

TEST_F(VirtualUnitTest, WrongLineSettingsReachTheUnitAsNoise) {
    open();
    read(8);
    unit->FT_SetBaudRate(handle, 19200);
    write("\xAA");
    EXPECT_EQ(read(16), "");
}

TEST_F(VirtualUnitTest, ReadWithoutTimeLimitDoesNotHang) {
    open({.silence = true});
    unit->FT_SetTimeouts(handle, 0, 0);
    EXPECT_EQ(read(8), "");
}

TEST_F(VirtualUnitTest, DeviceRefusesASecondOpenAndOtherDescriptions) {
    open();
    FT_HANDLE second = nullptr;
    char description[] = "FT232R USB UART";
    EXPECT_NE(unit->FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &second), FT_OK);
    char other[] = "FT230X Basic UART";
    EXPECT_NE(unit->FT_OpenEx(other, FT_OPEN_BY_DESCRIPTION, &second), FT_OK);
    EXPECT_EQ(unit->FT_Close(handle), FT_OK);
    EXPECT_EQ(unit->FT_Close(handle), FT_INVALID_HANDLE);
}

// 10 bits a byte at 9600 baud: 1041666 ns each.
constexpr auto byteAt9600 = std::chrono::nanoseconds(1'041'666);

// The bytes reach the PC at the next tick of the bridge's latency timer, which runs from the
// open; the program lowers the timer for its open as it would a real bridge's.
TEST_F(VirtualUnitTest, PacedAtTheBaudRateWithTheBridgeLatency) {
    open({}, {.atBaudRate = true, .receiveLatency = 16ms});
    EXPECT_EQ(unit->latency(), 16ms);
    EXPECT_EQ(read(8), "QOLMEX70");
    EXPECT_EQ(clock.now(), 16ms); // 8.3 ms on the wire, then the first tick

    write("\xAA");
    read(16);
    EXPECT_EQ(clock.now(), 48ms); // sent at 17.0, answered by 34.7 ms: the tick at 48
    write(frame(0, "paced"));
    EXPECT_EQ(read(16).size(), 16u);
    EXPECT_EQ(clock.now(), 96ms); // 34 bytes more: 83.4 ms, the tick at 96

    EXPECT_EQ(unit->FT_SetLatencyTimer(handle, 1), FT_OK);
    EXPECT_EQ(unit->latency(), 1ms);
    write(frame(16, "faster"));
    EXPECT_EQ(read(16).size(), 16u);
    EXPECT_EQ(clock.now(), 132ms); // 96 + 35.4 ms, the 1 ms tick at 132
}

TEST_F(VirtualUnitTest, TheSerialDriverPlaysItsOwnLatencyAndHangsUpOnClose) {
    open({}, {.atBaudRate = true, .serialDriver = true});
    EXPECT_EQ(unit->latency(), 1ms); // the driver's low-latency flag, from the open
    EXPECT_EQ(unit->FT_SetLatencyTimer(handle, 1), FT_NOT_SUPPORTED);
    EXPECT_EQ(unit->FT_Close(handle), FT_OK);
    EXPECT_EQ(unit->hangUps(), 1u);
}

TEST_F(VirtualUnitTest, OneMillisecondLatencyShortensEveryReply) {
    open({}, {.atBaudRate = true, .receiveLatency = 1ms});
    read(8);
    EXPECT_EQ(clock.now(), 9ms);
    DWORD waiting = 0;
    write("\x60");
    unit->FT_GetQueueStatus(handle, &waiting);
    EXPECT_EQ(waiting, 0u); // nothing has arrived yet
    clock.advance(17 * byteAt9600 + 1ms);
    unit->FT_GetQueueStatus(handle, &waiting);
    EXPECT_EQ(waiting, 16u);
}

TEST(Clocks, VirtualClockOnlyMovesForward) {
    VirtualClock clock;
    clock.advance(2s);
    clock.sleepUntil(1s);
    EXPECT_EQ(clock.now(), 2s);
    clock.sleepFor(500ms);
    EXPECT_EQ(clock.now(), 2500ms);
}

TEST(Clocks, RealClockSleepsRealTime) {
    RealClock clock;
    const auto before = clock.now();
    clock.sleepFor(2ms);
    EXPECT_GE(clock.now() - before, 2ms);
}

} // namespace
} // namespace qolmex
