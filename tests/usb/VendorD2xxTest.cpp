#include "usb/VendorD2xx.h"

#include "usb/FTDIchip.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

TEST(VendorD2xx, CallsReachTheLoadedLibraryWithTheirArguments) {
    VendorD2xx vendor(FAKE_FTD2XX_PATH);
    ASSERT_TRUE(vendor.loaded());
    tftdichip chip(vendor);
    EXPECT_TRUE(chip.isPresentByDescription("FT232R USB UART"));
    EXPECT_FALSE(chip.isPresentByDescription("Some other bridge"));
    const auto idle = vendor.listBridges();
    ASSERT_EQ(idle.size(), 1u) << "only the FT232R is a bridge";
    EXPECT_EQ(idle[0].serialNumber, "FAKE0001");
    EXPECT_EQ(idle[0].description, "FT232R USB UART");
    EXPECT_TRUE(idle[0].openable);
    ASSERT_TRUE(chip.openDeviceByDescription("FT232R USB UART"));
    const auto held = vendor.listBridges();
    ASSERT_EQ(held.size(), 1u);
    EXPECT_FALSE(held[0].openable);
    EXPECT_EQ(held[0].reason, VendorD2xx::msgInUse);

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
