#include "usb/BlockExchange.h"

#include "MockD2xx.h"
#include "sim/VirtualUnit.h"
#include "usb/DeviceConnection.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace qolmex {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::Invoke;
using ::testing::Return;
using ::testing::SetArgPointee;
using namespace std::chrono_literals;

// A connected line to the virtual unit, past its identity.
class BlockExchangeTest : public ::testing::Test {
protected:
    void connect(const UnitFaults& faults = {}) {
        unit.setFaults(faults);
        connection.Connect();
        ASSERT_TRUE(state.DeviceConnected);
        std::string identity(8, ' ');
        DWORD got = 0;
        state.UsbDevice->read(identity.data(), 8, got);
    }
    void startWith(char startByte) {
        DWORD count = 0;
        state.UsbDevice->write(&startByte, 1, count);
        std::string answer(16, ' ');
        state.UsbDevice->read(answer.data(), 16, count);
        ASSERT_EQ(count, 16u);
    }
    // The writing code's block rule: resend until confirmed.
    int sendUntilConfirmed(std::uint16_t address, const std::string& payload) {
        state.BlockConfirmed = false;
        int tries = 0;
        while (!state.BlockConfirmed && tries < 10) {
            state.BlockAddress = address;
            std::string block = payload;
            exchange.SendTxString(block);
            ++tries;
        }
        return tries;
    }

    VirtualClock clock;
    VirtualUnit unit{clock};
    TransferState state;
    DeviceConnection connection{unit, state, [](const std::string&) {}};
    int pumps = 0;
    std::vector<DWORD> writtenAtPump; // the window works while the frame is on the line
    std::vector<int> sendGauge;
    std::vector<int> readGauge;
    int stopAfterPasses = -1; // never
    BlockExchange exchange{state,
                           [this] {
                               ++pumps;
                               writtenAtPump.push_back(state.BytesWritten);
                           },
                           [this](int v) { sendGauge.push_back(v); },
                           [this](int v) { readGauge.push_back(v); },
                           [this] { return stopAfterPasses >= 0 && --stopAfterPasses < 0; }};
};

TEST_F(BlockExchangeTest, ShortBlockIsPaddedStoredAndConfirmed) {
    connect();
    startWith('\xAA');
    state.BlockAddress = 2944;
    std::string block = "12345678901234";
    exchange.SendTxString(block);
    EXPECT_EQ(block, std::string("12345678901234\0\0", 16)); // padded in place
    EXPECT_TRUE(state.BlockConfirmed);
    EXPECT_EQ(state.BytesWritten, 18u);
    EXPECT_EQ(state.BytesRead, 16u);
    EXPECT_EQ(state.FrameBuffer, block);
    EXPECT_EQ(std::string(unit.memory().begin() + 2944, unit.memory().begin() + 2960), block);
    EXPECT_EQ(unit.receivedFrameAddresses(), std::vector<std::uint16_t>{2944});
    EXPECT_EQ(sendGauge, std::vector<int>{2944});
    EXPECT_EQ(writtenAtPump, std::vector<DWORD>{18}); // one pump, after the write
}

TEST_F(BlockExchangeTest, EmptyBlockGoesOutAsSixteenZeros) {
    connect();
    startWith('\xAA');
    unit.fillMemory(0x77);
    state.BlockAddress = 0;
    std::string block;
    exchange.SendTxString(block);
    EXPECT_TRUE(state.BlockConfirmed);
    EXPECT_EQ(state.FrameBuffer, std::string(16, '\0'));
    EXPECT_EQ(unit.memory()[0], 0);
    EXPECT_EQ(unit.memory()[15], 0);
    EXPECT_EQ(unit.memory()[16], 0x77);
}

TEST_F(BlockExchangeTest, WrongOrShortEchoLeavesTheBlockUnconfirmedUntilResent) {
    connect({.corruptEchoEvery = 1});
    startWith('\xAA');
    EXPECT_EQ(sendUntilConfirmed(16, "ABCDEFGHIJKLMNOP"), 2);
    EXPECT_EQ(unit.receivedFrameAddresses(), (std::vector<std::uint16_t>{16, 16}));

    unit.setFaults({.shortEchoEvery = 1});
    state.BlockConfirmed = false;
    state.BlockAddress = 32;
    std::string block = "abc";
    exchange.SendTxString(block);
    EXPECT_FALSE(state.BlockConfirmed);
    EXPECT_EQ(state.BytesRead, 15u);
    EXPECT_EQ(state.FrameBuffer.back(), ' '); // the missing byte keeps its space
    EXPECT_EQ(sendUntilConfirmed(32, "abc"), 1);
}

TEST_F(BlockExchangeTest, ClockBlockIsConfirmedWithoutMovingTheGauge) {
    connect();
    startWith('\xAA');
    EXPECT_EQ(sendUntilConfirmed(4080, "last"), 1);
    EXPECT_EQ(sendUntilConfirmed(32896, "\x24\x03\x15\x12\x30"), 1);
    EXPECT_EQ(sendGauge, std::vector<int>{4080});
    EXPECT_TRUE(unit.clockBlockWritten());
    EXPECT_EQ(unit.clockBlock()[0], 0x24);
    EXPECT_EQ(std::string(unit.memory().begin() + 4080, unit.memory().begin() + 4084), "last");
}

TEST_F(BlockExchangeTest, SilentUnitCostsOneReadTimeoutPerTryInVirtualTime) {
    connect({.stallAfterFrames = 0u});
    startWith('\xAA');
    const auto before = clock.now();
    state.BlockAddress = 48;
    std::string block = "x";
    exchange.SendTxString(block);
    EXPECT_FALSE(state.BlockConfirmed);
    EXPECT_EQ(state.BytesRead, 0u);
    EXPECT_EQ(state.FrameBuffer, std::string(16, ' '));
    EXPECT_EQ(clock.now() - before, 500ms);
}

TEST_F(BlockExchangeTest, UnpluggedLineIsNeverConfirmed) {
    connect({.unplugAfterFrames = 1u});
    startWith('\xAA');
    EXPECT_EQ(sendUntilConfirmed(0, "first"), 1);
    state.BlockConfirmed = false;
    state.BlockAddress = 16;
    std::string block = "second";
    exchange.SendTxString(block);
    EXPECT_FALSE(state.BlockConfirmed);
    EXPECT_EQ(state.BytesWritten, 0u);
}

TEST_F(BlockExchangeTest, ReadPacketTakesAddressesAsUnsigned) {
    unit.preloadMemory(0, "\x05" "12345");
    connect({.strayFrameAddress = std::uint16_t{0xFFF0}});
    startWith('\x60');
    ASSERT_TRUE(exchange.ACK());
    EXPECT_EQ(writtenAtPump, std::vector<DWORD>{1}); // as in SendTxString, after the write
    state.FieldText = "left over";
    ASSERT_TRUE(exchange.ReadPacket());
    EXPECT_EQ(state.BlockAddress, 0);
    EXPECT_EQ(state.FrameBuffer.substr(2, 6), "\x05" "12345");
    EXPECT_TRUE(state.FieldText.empty());
    ASSERT_TRUE(exchange.ACK());
    ASSERT_TRUE(exchange.ReadPacket());
    EXPECT_EQ(state.BlockAddress, 65520);
    ASSERT_TRUE(exchange.ACK());
    EXPECT_EQ(readGauge, (std::vector<int>{0, 0, 65520})); // the dialog's bar does the capping
    ASSERT_TRUE(exchange.ReadPacket());
    EXPECT_EQ(state.BlockAddress, 16);
}

TEST_F(BlockExchangeTest, SplitFrameIsDroppedAndShouldStopEndsTheWait) {
    connect({.splitFrame = 1u});
    startWith('\x60');
    ASSERT_TRUE(exchange.ACK());
    state.BlockAddress = 1234;
    stopAfterPasses = 3;
    EXPECT_FALSE(exchange.ReadPacket());
    EXPECT_EQ(state.BlockAddress, 1234); // untouched when given up
    EXPECT_EQ(pumps, 1 + 4);               // one ACK pass, four read passes
    EXPECT_NE(state.BytesRead, 18u);
}

TEST_F(BlockExchangeTest, AckGivesUpOnAnUnpluggedLineWhenAsked) {
    connect({.unplugAfterFrames = 1u});
    startWith('\x60');
    ASSERT_TRUE(exchange.ACK());
    ASSERT_TRUE(exchange.ReadPacket());
    readGauge.clear();
    pumps = 0;
    stopAfterPasses = 2;
    EXPECT_FALSE(exchange.ACK());
    EXPECT_EQ(state.BytesWritten, 0u);
    EXPECT_TRUE(readGauge.empty());
    EXPECT_EQ(pumps, 3);
    EXPECT_TRUE(unit.unplugged());
}

TEST(BlockExchangeWire, FrameBytesAndRetriesAsTheLibrarySeesThem) {
    MockD2xx lib;
    TransferState state;
    FT_HANDLE const h = reinterpret_cast<FT_HANDLE>(0x10);
    EXPECT_CALL(lib, FT_OpenEx(_, _, _)).WillOnce(DoAll(SetArgPointee<2>(h), Return(FT_OK)));
    state.UsbDevice = std::make_unique<tftdichip>(lib);
    ASSERT_TRUE(state.UsbDevice->openDeviceByDescription("FT232R USB UART"));
    BlockExchange exchange(state, [] {}, nullptr, nullptr);

    std::string written;
    EXPECT_CALL(lib, FT_Write(h, _, 18u, _))
        .WillOnce(Invoke([&](FT_HANDLE, LPVOID buffer, DWORD n, LPDWORD count) {
            written.assign(static_cast<const char*>(buffer), n);
            *count = n;
            return FT_OK;
        }));
    std::string readBufferBefore;
    EXPECT_CALL(lib, FT_Read(h, _, 16u, _))
        .WillOnce(Invoke([&](FT_HANDLE, LPVOID buffer, DWORD n, LPDWORD count) {
            readBufferBefore.assign(static_cast<const char*>(buffer), n);
            std::copy_n(written.begin() + 2, n, static_cast<char*>(buffer));
            *count = n;
            return FT_IO_ERROR; // the status is not looked at, only the count
        }));
    state.BlockAddress = 2944;
    std::string block = "ABCDEFGHIJKLMN";
    exchange.SendTxString(block);
    EXPECT_EQ(written, std::string("\x0B\x80" "ABCDEFGHIJKLMN\0\0", 18));
    EXPECT_EQ(readBufferBefore, std::string(16, ' '));
    EXPECT_TRUE(state.BlockConfirmed);

    // A 17-byte read is dropped whole; the next complete frame is taken.
    int reads = 0;
    EXPECT_CALL(lib, FT_Read(h, _, 18u, _))
        .Times(2)
        .WillRepeatedly(Invoke([&](FT_HANDLE, LPVOID buffer, DWORD, LPDWORD count) {
            const std::string frame = ++reads == 1 ? std::string(17, '\x7F')
                                                   : std::string("\x01\x20") + std::string(16, 'd');
            std::copy(frame.begin(), frame.end(), static_cast<char*>(buffer));
            *count = static_cast<DWORD>(frame.size());
            return FT_OK;
        }));
    EXPECT_TRUE(exchange.ReadPacket());
    EXPECT_EQ(state.BlockAddress, 288);
    EXPECT_EQ(state.FrameBuffer, std::string("\x01\x20") + std::string(16, 'd'));

    // ACK writes 0x1F until one byte has gone out.
    EXPECT_CALL(lib, FT_Write(h, _, 1u, _))
        .WillOnce(DoAll(SetArgPointee<3>(0u), Return(FT_IO_ERROR)))
        .WillOnce(Invoke([&](FT_HANDLE, LPVOID buffer, DWORD, LPDWORD count) {
            EXPECT_EQ(*static_cast<const char*>(buffer), '\x1F');
            *count = 1;
            return FT_OK;
        }));
    EXPECT_TRUE(exchange.ACK());
    EXPECT_CALL(lib, FT_Close(h)).WillOnce(Return(FT_OK));
    state.UsbDevice->closeDevice();
}

// The whole memory through the primitives: written with echo faults, read back.
class RoundTrip : public BlockExchangeTest {
protected:
    std::string image() const {
        std::string bytes(4096, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
        return bytes;
    }
    void writeImage(const std::string& bytes) {
        startWith('\xAA');
        for (std::uint16_t a = 0; a <= 4080; a += 16)
            ASSERT_LT(sendUntilConfirmed(a, bytes.substr(a, 16)), 10);
    }
    std::string readImage() {
        startWith('\x60');
        std::string bytes(4096, '?');
        EXPECT_TRUE(exchange.ACK());
        do {
            if (!exchange.ReadPacket())
                break;
            if (state.BlockAddress <= 4080)
                bytes.replace(state.BlockAddress, 16, state.FrameBuffer.substr(2));
            EXPECT_TRUE(exchange.ACK());
        } while (state.BlockAddress != 4080);
        return bytes;
    }
    void reconnect(const UnitFaults& faults = {}) {
        connection.Disconnect();
        connect(faults);
    }
};

TEST_F(RoundTrip, FullMemoryWithCorruptedAndShortEchoes) {
    connect({.corruptEchoEvery = 7, .shortEchoEvery = 5});
    const std::string bytes = image();
    writeImage(bytes);
    EXPECT_EQ(std::string(unit.memory().begin(), unit.memory().end()), bytes);
    EXPECT_GT(unit.receivedFrameAddresses().size(), 256u + 36u + 51u - 8u);
    EXPECT_EQ(sendGauge.back(), 4080);

    reconnect();
    EXPECT_EQ(readImage(), bytes);
    EXPECT_EQ(readGauge.back(), 4080);
}

TEST_F(RoundTrip, OutOfOrderAndStrayFramesStillCoverTheMemory) {
    const std::string bytes = image();
    unit.preloadMemory(0, bytes);
    connect({.framesOutOfOrder = true, .strayFrameAddress = std::uint16_t{32896}});
    EXPECT_EQ(readImage(), bytes);
    EXPECT_EQ(unit.framesSent(), 257u);
}

TEST_F(RoundTrip, BlankMemoryReadsAsFF) {
    connect({.blankMemory = true});
    EXPECT_EQ(readImage(), std::string(4096, '\xFF'));
}

TEST_F(RoundTrip, StalledUnitEndsTheReadOnlyThroughShouldStop) {
    connect({.stallAfterFrames = 10u});
    stopAfterPasses = 4; // a caller's bound: four silent passes
    readImage();
    EXPECT_EQ(unit.framesSent(), 10u);
    EXPECT_EQ(state.BlockAddress, 144); // the last frame that came
}

} // namespace
} // namespace qolmex
