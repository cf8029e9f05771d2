#include "usb/VendorD2xx.h"

#include "usb/DeviceConnection.h"
#include "usb/FTDIchip.h"
#include "usb/OpenFailureTexts.h"

#include <cstdlib>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace qolmex {
namespace {

TEST(VendorD2xx, CallsReachTheLoadedLibraryWithTheirArguments) {
    VendorD2xx vendor(FAKE_FTD2XX_PATH);
    ASSERT_TRUE(vendor.loaded());
    tftdichip chip(vendor);
    EXPECT_TRUE(chip.isPresentByDescription("FT232R USB UART"));
    EXPECT_FALSE(chip.isPresentByDescription("Some other bridge"));
    ASSERT_TRUE(chip.openDeviceByDescription("FT232R USB UART"));

    EXPECT_TRUE(chip.resetDevice());
    EXPECT_TRUE(chip.setBaudRate(5));
    EXPECT_FALSE(chip.setBaudRate(6)); // the fake takes only 9600
    EXPECT_TRUE(chip.setDataCharacteristics(1, 1, 4));
    EXPECT_TRUE(chip.setFlowControl(3, 0x11, 0x13));
    EXPECT_TRUE(chip.setTimeouts(500, 1000));

    char buffer[18] = {};
    DWORD count = 0;
    EXPECT_TRUE(chip.read(buffer, 18, count));
    EXPECT_EQ(count, 8u);
    EXPECT_EQ(std::string(buffer, 8), "QOLMEX70");
    EXPECT_TRUE(chip.write("0123456789", 10, count));
    EXPECT_EQ(count, 3u);
    EXPECT_TRUE(chip.getQueueStatus(count));
    EXPECT_EQ(count, 42u);

    FtDeviceType type{};
    std::uint16_t product = 0;
    std::uint16_t vendorId = 0;
    std::string serial;
    std::string description;
    ASSERT_TRUE(chip.getDeviceInfo(type, product, vendorId, serial, description));
    EXPECT_EQ(type, FtDeviceType::FT232R);
    EXPECT_EQ(vendorId, 0x0403);
    EXPECT_EQ(product, 0x6001);
    EXPECT_EQ(serial, "FAKE0001");
    EXPECT_EQ(description, "FT232R USB UART");
    chip.closeDevice();
}

// Connect through the library lowers the latency timer; an older library without the call
// (or without the device list) connects all the same.
TEST(VendorD2xx, ConnectLowersTheLatencyTimerWhereTheLibraryCan) {
    for (const char* path : {FAKE_FTD2XX_PATH, BASIC_FTD2XX_PATH}) {
        SCOPED_TRACE(path);
        VendorD2xx vendor(path);
        ASSERT_TRUE(vendor.loaded());
        tftdichip chip(vendor);
        ASSERT_TRUE(chip.openDeviceByDescription("FT232R USB UART"));
        EXPECT_EQ(chip.setLatencyTimer(1), path == std::string(FAKE_FTD2XX_PATH));
        EXPECT_FALSE(chip.deviceLost());
        chip.closeDevice();

        TransferState state;
        std::vector<std::string> messages;
        DeviceConnection connection(vendor, state,
                                    [&](const std::string& m) { messages.push_back(m); });
        connection.Connect();
        EXPECT_TRUE(state.DeviceConnected);
        EXPECT_TRUE(messages.empty());
        connection.Disconnect();
    }
}

// The list comes from the library's device list: the held bridge is there but unopenable,
// and opening it by serial number says that the library saw it and could not open it.
TEST(VendorD2xx, ListsItsBridgesAndOpensBySerialNumber) {
    VendorD2xx vendor(FAKE_FTD2XX_PATH);
    const std::vector<BridgeEntry> bridges = vendor.listBridges();
    ASSERT_EQ(bridges.size(), 2u);
    EXPECT_EQ(bridges[0].serialNumber, "FAKE0001");
    EXPECT_EQ(bridges[0].description, "FT232R USB UART");
    EXPECT_EQ(bridges[0].via, BridgeEntry::viaVendorLibrary);
    EXPECT_TRUE(bridges[0].openable);
    EXPECT_EQ(bridges[1].serialNumber, "FAKEHELD");
    EXPECT_FALSE(bridges[1].openable);
    EXPECT_FALSE(bridges[1].reason.empty());

    tftdichip chip(vendor);
    EXPECT_TRUE(chip.openDeviceBySerialNumber("FAKE0001"));
    chip.closeDevice();
    EXPECT_FALSE(chip.openDeviceBySerialNumber("NOSUCH"));
    EXPECT_TRUE(vendor.lastOpenFailure().empty()); // not there is not a failure to explain
    EXPECT_FALSE(chip.openDeviceBySerialNumber("FAKEHELD"));
    EXPECT_EQ(vendor.lastOpenFailure(), openFailureTexts::vendorCannotOpen(FT_DEVICE_NOT_OPENED));

    EXPECT_TRUE(VendorD2xx(BASIC_FTD2XX_PATH).listBridges().empty());
}

void setHiddenDevice(const char* type) {
#ifdef _WIN32
    SetEnvironmentVariableA("FAKE_FTD2XX_HIDDEN", type);
#else
    if (type != nullptr)
        ::setenv("FAKE_FTD2XX_HIDDEN", type, 1);
    else
        ::unsetenv("FAKE_FTD2XX_HIDDEN");
#endif
}

// A device the kernel holds shows the library no strings. Only an FT232R (0403:6001) may be
// the unit's bridge; that the library cannot open another FTDI chip is nothing to tell.
TEST(VendorD2xx, TellsItCannotOpenOnlyADeviceThatMayBeTheUnitsBridge) {
    VendorD2xx vendor(FAKE_FTD2XX_PATH);
    tftdichip chip(vendor);
    setHiddenDevice("6"); // an FT2232H
    EXPECT_FALSE(chip.openDeviceBySerialNumber("NOSUCH"));
    EXPECT_EQ(vendor.lastOpenFailure(), "");
    EXPECT_FALSE(chip.openDeviceByLocation(0x99));
    EXPECT_EQ(vendor.lastOpenFailure(), "");
    setHiddenDevice("5"); // an FT232R, maybe the unit's
    EXPECT_FALSE(chip.openDeviceBySerialNumber("NOSUCH"));
    EXPECT_EQ(vendor.lastOpenFailure(), openFailureTexts::vendorCannotOpen(FT_DEVICE_NOT_FOUND));
    EXPECT_FALSE(chip.openDeviceByLocation(0x13));
    EXPECT_EQ(vendor.lastOpenFailure(), openFailureTexts::vendorCannotOpen(FT_DEVICE_NOT_FOUND));
    setHiddenDevice(nullptr);
    EXPECT_EQ(vendor.listBridges().size(), 2u);
    EXPECT_EQ(vendor.listBridges()[0].location, 0x11u);
}

TEST(VendorD2xx, AbsentLibraryFindsNoDevice) {
    VendorD2xx vendor("libqolmex-no-such-d2xx.so");
    EXPECT_FALSE(vendor.loaded());
    tftdichip chip(vendor);
    EXPECT_FALSE(chip.isPresentByDescription("FT232R USB UART"));
    EXPECT_FALSE(chip.openDeviceByDescription("FT232R USB UART"));
}

TEST(VendorD2xx, LibraryLackingAFunctionIsRefused) {
    VendorD2xx vendor(INCOMPLETE_FTD2XX_PATH);
    EXPECT_FALSE(vendor.loaded());
    FT_HANDLE handle = nullptr;
    char description[] = "FT232R USB UART";
    EXPECT_NE(vendor.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle), FT_OK);
}

} // namespace
} // namespace qolmex
