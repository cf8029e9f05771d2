#include "sim/RandomConfiguration.h"
#include "SequenceFakes.h"
#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ReadSequence.h"
#include "transfer/SendSequence.h"
#include "usb/DeviceConnection.h"
#include "usb/VendorD2xx.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

// The vendor backend against a library with the D2XX calling convention whose device is the
// virtual unit: everything the window does on a PC with the vendor's driver.
TEST(VendorLibraryTransfer, SendThenReadGivesBackEveryField) {
    VendorD2xx vendor(UNIT_FTD2XX_PATH);
    ASSERT_TRUE(vendor.loaded());
    VirtualClock clock;
    TransferState state;
    FakeHost host{clock, state};
    FakeDialog dialog{state, host};
    DeviceConnection connection{vendor, state,
                                [&host](const std::string& m) { host.showMessage(m); }};

    RandomConfiguration random(7);
    const Configuration sent = random.make();
    const auto refused = SendSequence(state, connection, dialog, host, [] {
                             return LocalDateTime{2026, 12, 8, 14, 0};
                         }).run(sent);
    EXPECT_FALSE(refused.has_value());
    ASSERT_TRUE(host.messages.empty()) << host.messages.front();

    Configuration received;
    ReadSequence(state, connection, dialog, host).run(received);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(received, sent);
    EXPECT_FALSE(state.DeviceConnected);
    EXPECT_EQ(state.UsbDevice, nullptr);
}

} // namespace
} // namespace qolmex
