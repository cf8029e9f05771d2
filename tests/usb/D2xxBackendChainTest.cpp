#include "usb/D2xxBackendChain.h"

#include "sim/VirtualUnit.h"
#include "usb/DeviceConnection.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

// A backend that sees the bridge and cannot open it, and says why.
class RefusingBackend : public VirtualUnit {
public:
    RefusingBackend(Clock& clock, std::string why) : VirtualUnit(clock), why_(std::move(why)) {}
    FT_STATUS FT_OpenEx(PVOID, DWORD, FT_HANDLE*) override { return FT_DEVICE_NOT_OPENED; }
    std::string lastOpenFailure() const override { return why_; }

private:
    std::string why_;
};

class D2xxBackendChainTest : public ::testing::Test {
protected:
    VirtualClock clock;
    VirtualUnit first{clock, UnitFaults{.noDevice = true}};
    VirtualUnit second{clock};
    VirtualUnit third{clock};
    D2xxBackendChain chain;
    char description[16] = "FT232R USB UART";
};

TEST_F(D2xxBackendChainTest, FirstBackendThatOpensServesTheHandle) {
    chain.add(first);
    chain.add(second);
    chain.add(third);
    FT_HANDLE handle = nullptr;
    ASSERT_EQ(chain.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle), FT_OK);
    EXPECT_TRUE(second.isOpen());
    EXPECT_FALSE(third.isOpen());

    char identity[8];
    DWORD got = 0;
    EXPECT_EQ(chain.FT_Read(handle, identity, 8, &got), FT_OK);
    EXPECT_EQ(std::string(identity, got), "QOLMEX70");
    EXPECT_EQ(chain.FT_SetBaudRate(handle, 19200), FT_OK);
    EXPECT_EQ(second.lineSettings().baudRate, 19200u);

    // While the second is busy, another open goes on to the third.
    FT_HANDLE other = nullptr;
    ASSERT_EQ(chain.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &other), FT_OK);
    EXPECT_TRUE(third.isOpen());
    EXPECT_NE(other, handle);

    EXPECT_EQ(chain.FT_Close(handle), FT_OK);
    EXPECT_FALSE(second.isOpen());
    EXPECT_EQ(chain.FT_Close(handle), FT_INVALID_HANDLE);
    EXPECT_EQ(chain.FT_Read(handle, identity, 8, &got), FT_INVALID_HANDLE);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(chain.FT_Close(other), FT_OK);
}

TEST_F(D2xxBackendChainTest, NoBackendOpensMeansNoDevice) {
    FT_HANDLE handle = nullptr;
    EXPECT_EQ(chain.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle), FT_DEVICE_NOT_FOUND);
    chain.add(first);
    EXPECT_EQ(chain.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle), FT_DEVICE_NOT_FOUND);

    TransferState state;
    std::vector<std::string> messages;
    DeviceConnection connection(chain, state, [&](const std::string& m) { messages.push_back(m); });
    connection.Connect();
    EXPECT_EQ(messages, std::vector<std::string>{"Nepripojené zariadenie !"});
}

// The vendor library failing on a bridge the kernel's driver holds is no failure while the
// serial backend opens it; when both fail, the user reads what each said.
TEST_F(D2xxBackendChainTest, OpenFailuresAreToldOnlyWhenNoBackendOpens) {
    RefusingBackend vendor(clock, "vendor cannot");
    RefusingBackend serial(clock, "port busy");
    chain.add(vendor);
    chain.add(second);
    TransferState state;
    std::vector<std::string> messages;
    DeviceConnection connection(chain, state, [&](const std::string& m) { messages.push_back(m); });
    connection.Connect();
    EXPECT_TRUE(state.DeviceConnected);
    EXPECT_TRUE(messages.empty());
    connection.Disconnect();

    D2xxBackendChain failing;
    failing.add(vendor);
    failing.add(first); // no device there: nothing to say
    failing.add(serial);
    DeviceConnection refused(failing, state, [&](const std::string& m) { messages.push_back(m); });
    refused.Connect();
    EXPECT_FALSE(state.DeviceConnected);
    EXPECT_EQ(messages, std::vector<std::string>{"vendor cannot\nport busy"});
}

// Two bridges on one machine: the list names each once, and Connect by serial number takes
// the one asked for, not the first with the description.
TEST_F(D2xxBackendChainTest, SerialNumberPicksOneOfSeveralBridges) {
    third.setSerialNumber("A50285BI");
    chain.add(first);
    chain.add(second);
    chain.add(third);
    chain.add(second); // the same bridge reached twice is listed once
    const std::vector<BridgeEntry> bridges = chain.listBridges();
    ASSERT_EQ(bridges.size(), 2u);
    EXPECT_EQ(bridges[0].serialNumber, VirtualUnit::defaultSerialNumber);
    EXPECT_EQ(bridges[1].serialNumber, "A50285BI");

    TransferState state;
    std::vector<std::string> messages;
    DeviceConnection connection(chain, state, [&](const std::string& m) { messages.push_back(m); });
    connection.selectBySerialNumber("A50285BI");
    connection.Connect();
    EXPECT_TRUE(state.DeviceConnected);
    EXPECT_TRUE(third.isOpen());
    EXPECT_FALSE(second.isOpen());
    connection.Disconnect();

    connection.selectBySerialNumber("NOSUCH");
    connection.Connect();
    EXPECT_FALSE(state.DeviceConnected);
    EXPECT_EQ(messages, std::vector<std::string>{DeviceConnection::msgNotConnected});
}

} // namespace
} // namespace qolmex
