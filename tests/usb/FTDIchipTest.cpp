#include "usb/FTDIchip.h"

#include "MockD2xx.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qolmex {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::SetArgPointee;
using ::testing::StrictMock;

FT_HANDLE const deviceHandle = reinterpret_cast<FT_HANDLE>(0x1234);
FT_HANDLE const probeHandle = reinterpret_cast<FT_HANDLE>(0x5678);

class FTDIchipTest : public ::testing::Test {
protected:
    void openDevice() {
        EXPECT_CALL(lib, FT_OpenEx(DescriptionIs("FT232R USB UART"), FT_OPEN_BY_DESCRIPTION, _))
            .WillOnce(DoAll(SetArgPointee<2>(deviceHandle), Return(FT_OK)));
        ASSERT_TRUE(chip.openDeviceByDescription("FT232R USB UART"));
    }

    template <typename Call>
    void expectError(Call call, const char* message) {
        try {
            call();
            FAIL() << "no error, expected " << message;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }

    StrictMock<MockD2xx> lib;
    tftdichip chip{lib};
};

TEST_F(FTDIchipTest, OpenTwiceRaisesAndKeepsTheDeviceUsable) {
    openDevice();
    expectError([&] { chip.openDeviceByDescription("FT232R USB UART"); },
                "tftdichip.openDeviceByDescription: Already open");
    EXPECT_TRUE(chip.isOpen());
    EXPECT_CALL(lib, FT_ResetDevice(deviceHandle)).WillOnce(Return(FT_OK));
    EXPECT_TRUE(chip.resetDevice());
}

TEST_F(FTDIchipTest, FailedOpenLeavesTheWrapperClosed) {
    EXPECT_CALL(lib, FT_OpenEx(_, FT_OPEN_BY_DESCRIPTION, _)).WillOnce(Return(FT_DEVICE_NOT_FOUND));
    EXPECT_FALSE(chip.openDeviceByDescription("FT232R USB UART"));
    EXPECT_FALSE(chip.isOpen());
    expectError([&] { chip.closeDevice(); }, "tftdichip.closeDevice: Not open");
}

TEST_F(FTDIchipTest, CloseOnANeverOpenedOrClosedWrapperRaises) {
    expectError([&] { chip.closeDevice(); }, "tftdichip.closeDevice: Not open");
    openDevice();
    EXPECT_CALL(lib, FT_Close(deviceHandle)).WillOnce(Return(FT_IO_ERROR)); // status ignored
    chip.closeDevice();
    EXPECT_FALSE(chip.isOpen());
    expectError([&] { chip.closeDevice(); }, "tftdichip.closeDevice: Not open");
    // Open again after a close.
    openDevice();
}

TEST_F(FTDIchipTest, PresenceProbeClosesItsTemporaryHandleAndLeavesOursAlone) {
    {
        InSequence order;
        EXPECT_CALL(lib, FT_OpenEx(DescriptionIs("FT232R USB UART"), FT_OPEN_BY_DESCRIPTION, _))
            .WillOnce(DoAll(SetArgPointee<2>(probeHandle), Return(FT_OK)));
        EXPECT_CALL(lib, FT_Close(probeHandle)).WillOnce(Return(FT_OK));
    }
    EXPECT_TRUE(chip.isPresentByDescription("FT232R USB UART"));
    EXPECT_FALSE(chip.isOpen());

    EXPECT_CALL(lib, FT_OpenEx(DescriptionIs("Other"), FT_OPEN_BY_DESCRIPTION, _))
        .WillOnce(Return(FT_DEVICE_NOT_FOUND)); // and no FT_Close: the strict mock would see it
    EXPECT_FALSE(chip.isPresentByDescription("Other"));
}

TEST_F(FTDIchipTest, PresenceProbeWorksOnAnOpenWrapper) {
    openDevice();
    EXPECT_CALL(lib, FT_OpenEx(_, FT_OPEN_BY_DESCRIPTION, _))
        .WillOnce(DoAll(SetArgPointee<2>(probeHandle), Return(FT_OK)));
    EXPECT_CALL(lib, FT_Close(probeHandle)).WillOnce(Return(FT_OK));
    EXPECT_TRUE(chip.isPresentByDescription("FT232R USB UART"));
    EXPECT_TRUE(chip.isOpen());
    EXPECT_CALL(lib, FT_Close(deviceHandle)).WillOnce(Return(FT_OK));
    chip.closeDevice();
}

TEST_F(FTDIchipTest, BaudRateSelectorsMapToTheirRates) {
    openDevice();
    const ULONG rates[] = {300,   600,   1200,   2400,   4800,   9600,   14400,
                           19200, 38400, 57600, 115200, 230400, 460800, 921600};
    for (int selector = 0; selector < 14; ++selector) {
        EXPECT_CALL(lib, FT_SetBaudRate(deviceHandle, rates[selector])).WillOnce(Return(FT_OK));
        EXPECT_TRUE(chip.setBaudRate(selector));
    }
    EXPECT_CALL(lib, FT_SetBaudRate(deviceHandle, 9600u)).WillOnce(Return(FT_IO_ERROR));
    EXPECT_FALSE(chip.setBaudRate(5));
}

TEST_F(FTDIchipTest, SelectorsOutsideTheirTablesRaiseBeforeAnyLibraryCall) {
    openDevice(); // the strict mock fails on any further call
    expectError([&] { chip.setBaudRate(14); }, "tftdichip.setBaudRate: Invalid baud rate");
    expectError([&] { chip.setBaudRate(-1); }, "tftdichip.setBaudRate: Invalid baud rate");
    expectError([&] { chip.setDataCharacteristics(2, 5, 9); },
                "tftdichip.setDataCharacteristics: Invalid wordLength");
    expectError([&] { chip.setDataCharacteristics(0, 2, 9); },
                "tftdichip.setDataCharacteristics: Invalid stopBits");
    expectError([&] { chip.setDataCharacteristics(1, 1, 5); },
                "tftdichip.setDataCharacteristics: Invalid parity");
    expectError([&] { chip.setFlowControl(4, 0x11, 0x13); },
                "tftdichip.setFlowControl: Invalid flowcontrol");
}

TEST_F(FTDIchipTest, LineSettingsPassTheLibraryValues) {
    openDevice();
    EXPECT_CALL(lib, FT_SetDataCharacteristics(deviceHandle, 8, 0, 0)).WillOnce(Return(FT_OK));
    EXPECT_TRUE(chip.setDataCharacteristics(0, 0, 0));
    EXPECT_CALL(lib, FT_SetDataCharacteristics(deviceHandle, 7, 2, 4)).WillOnce(Return(FT_OK));
    EXPECT_TRUE(chip.setDataCharacteristics(1, 1, 4));

    const USHORT flows[] = {0x0000, 0x0100, 0x0200, 0x0400};
    for (int selector = 0; selector < 4; ++selector) {
        EXPECT_CALL(lib, FT_SetFlowControl(deviceHandle, flows[selector], 0x11, 0x13))
            .WillOnce(Return(FT_OK));
        EXPECT_TRUE(chip.setFlowControl(selector, 0x11, 0x13));
    }
    EXPECT_CALL(lib, FT_SetTimeouts(deviceHandle, 500u, 1000u)).WillOnce(Return(FT_OK));
    EXPECT_TRUE(chip.setTimeouts(500, 1000));
}

TEST_F(FTDIchipTest, ShortReadSucceedsWithItsCount) {
    openDevice();
    EXPECT_CALL(lib, FT_Read(deviceHandle, _, 18u, _))
        .WillOnce(DoAll(SetArgPointee<3>(7u), Return(FT_OK)));
    char buffer[18];
    DWORD got = 99;
    EXPECT_TRUE(chip.read(buffer, 18, got));
    EXPECT_EQ(got, 7u);

    EXPECT_CALL(lib, FT_Write(deviceHandle, _, 1u, _)).WillOnce(Return(FT_IO_ERROR));
    DWORD written = 99;
    EXPECT_FALSE(chip.write("\x1F", 1, written));
    EXPECT_EQ(written, 0u);
}

// Fills the info the way D2XX does.
auto deviceInfo(FT_DEVICE type, DWORD id, std::string serial, std::string description) {
    return [=](FT_HANDLE, FT_DEVICE* t, LPDWORD i, PCHAR s, PCHAR d, LPVOID dummy) {
        EXPECT_EQ(dummy, nullptr);
        *t = type;
        *i = id;
        std::strcpy(s, serial.c_str());
        std::strcpy(d, description.c_str());
        return FT_OK;
    };
}

TEST_F(FTDIchipTest, DeviceInfoSplitsTheIdAndMapsTheType) {
    openDevice();
    FtDeviceType type{};
    std::uint16_t product = 0;
    std::uint16_t vendor = 0;
    std::string serial;
    std::string description;

    EXPECT_CALL(lib, FT_GetDeviceInfo(deviceHandle, _, _, _, _, _))
        .WillOnce(deviceInfo(5, 0x04036001, "A1B2C3D4E5F6G7H8", std::string(64, 'x')));
    ASSERT_TRUE(chip.getDeviceInfo(type, product, vendor, serial, description));
    EXPECT_EQ(type, FtDeviceType::FT232R);
    EXPECT_EQ(vendor, 0x0403);
    EXPECT_EQ(product, 0x6001);
    EXPECT_EQ(serial, "A1B2C3D4E5F6G7H8"); // 16 characters fit
    EXPECT_EQ(description.size(), 64u);

    for (FT_DEVICE code : {0u, 1u, 2u, 4u}) {
        EXPECT_CALL(lib, FT_GetDeviceInfo(deviceHandle, _, _, _, _, _))
            .WillOnce(deviceInfo(code, 0, "", ""));
        ASSERT_TRUE(chip.getDeviceInfo(type, product, vendor, serial, description));
        EXPECT_EQ(static_cast<FT_DEVICE>(type), code);
    }
    for (FT_DEVICE code : {3u, 6u, 9u, 1000u}) {
        EXPECT_CALL(lib, FT_GetDeviceInfo(deviceHandle, _, _, _, _, _))
            .WillOnce(deviceInfo(code, 0, "", ""));
        ASSERT_TRUE(chip.getDeviceInfo(type, product, vendor, serial, description));
        EXPECT_EQ(type, FtDeviceType::Unknown) << code;
    }
    EXPECT_CALL(lib, FT_GetDeviceInfo(deviceHandle, _, _, _, _, _)).WillOnce(Return(FT_IO_ERROR));
    EXPECT_FALSE(chip.getDeviceInfo(type, product, vendor, serial, description));
}

TEST_F(FTDIchipTest, QueueStatusReportsTheLibraryCount) {
    openDevice();
    EXPECT_CALL(lib, FT_GetQueueStatus(deviceHandle, _))
        .WillOnce(DoAll(SetArgPointee<1>(42u), Return(FT_OK)));
    DWORD waiting = 0;
    EXPECT_TRUE(chip.getQueueStatus(waiting));
    EXPECT_EQ(waiting, 42u);
}

} // namespace
} // namespace qolmex
