#include "usb/DeviceConnection.h"

#include "MockD2xx.h"
#include "sim/VirtualUnit.h"

#include <gtest/gtest.h>

#include <vector>

namespace qolmex {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::SetArgPointee;
using ::testing::StrictMock;

class ConnectAgainstUnit : public ::testing::Test {
protected:
    void connectWith(const UnitFaults& faults) {
        unit.setFaults(faults);
        connection.Connect();
    }
    void expectNotConnected() const {
        EXPECT_FALSE(state.DeviceConnected);
        EXPECT_EQ(state.UsbDevice, nullptr);
        EXPECT_FALSE(unit.isOpen());
    }

    VirtualClock clock;
    VirtualUnit unit{clock};
    TransferState state;
    std::vector<std::string> messages;
    DeviceConnection connection{unit, state, [this](const std::string& m) { messages.push_back(m); }};
};

TEST_F(ConnectAgainstUnit, HealthyUnitConnectsWithTheFixedLine) {
    connection.Connect();
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(state.DeviceConnected);
    ASSERT_NE(state.UsbDevice, nullptr);
    EXPECT_TRUE(state.UsbDevice->isOpen());
    const UnitLineSettings& line = unit.lineSettings();
    EXPECT_EQ(line.baudRate, 9600u);
    EXPECT_EQ(line.wordLength, 8);
    EXPECT_EQ(line.stopBits, 0);
    EXPECT_EQ(line.parity, 0);
    EXPECT_EQ(line.flowControl, 0);
    EXPECT_EQ(line.readTimeoutMs, 500u);
    EXPECT_EQ(line.writeTimeoutMs, 1000u);
    EXPECT_EQ(unit.resets(), 1u);

    connection.Disconnect();
    EXPECT_TRUE(messages.empty());
    expectNotConnected();
}

struct FailingStep {
    const char* name;
    UnitFaults faults;
    const char* message;
    friend void PrintTo(const FailingStep& step, std::ostream* os) { *os << step.name; }
};

class ConnectFailure : public ConnectAgainstUnit,
                       public ::testing::WithParamInterface<FailingStep> {};

TEST_P(ConnectFailure, TellsWhyOnceAndLeavesNotConnected) {
    connectWith(GetParam().faults);
    EXPECT_EQ(messages, std::vector<std::string>{GetParam().message});
    expectNotConnected();

    // The device was left closed, so the same failure shows again.
    connection.Connect();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages.back(), GetParam().message);
    expectNotConnected();
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, ConnectFailure,
    ::testing::Values(
        FailingStep{"NoBridge", UnitFaults{.noDevice = true}, "Nepripojené zariadenie !"},
        FailingStep{"OpenFails", UnitFaults{.openFails = true},
                    "Pripojenie k zariadeniu neúspešné !"},
        FailingStep{"InfoFails", UnitFaults{.deviceInfoFails = true}, "Poškodený obvod !"},
        FailingStep{"WrongChip", UnitFaults{.wrongDeviceType = true},
                    "Nesprávne USB zariadenie !"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(ConnectAgainstUnit, FailedResetIsToldButStillConnects) {
    connectWith(UnitFaults{.resetFails = true});
    EXPECT_EQ(messages, std::vector<std::string>{"reset error?"});
    EXPECT_TRUE(state.DeviceConnected);
    EXPECT_TRUE(unit.isOpen());
}

TEST_F(ConnectAgainstUnit, ConnectWhileConnectedReplacesTheWrapper) {
    connection.Connect();
    // The unit refuses a second open, so success proves the first was closed.
    connection.Connect();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(state.DeviceConnected);
    EXPECT_NE(state.UsbDevice.get(), nullptr);
    EXPECT_EQ(unit.successfulOpens(), 4u); // probe + open, twice
}

TEST_F(ConnectAgainstUnit, FailedConnectWhileConnectedLeavesNotConnected) {
    connection.Connect();
    connectWith(UnitFaults{.deviceInfoFails = true});
    EXPECT_EQ(messages, std::vector<std::string>{"Poškodený obvod !"});
    expectNotConnected();
}

TEST_F(ConnectAgainstUnit, ConnectAfterCancelClosesTheLeftOverWrapper) {
    connection.Connect();
    state.DeviceConnected = false; // "Storno" during a transfer
    connection.Connect();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(state.DeviceConnected);
}

TEST_F(ConnectAgainstUnit, DisconnectWithoutDeviceIsHarmless) {
    connection.Disconnect();
    expectNotConnected();
    EXPECT_TRUE(messages.empty());
}

TEST(ConnectCalls, ProbeOpenCheckResetThenLineSettingsInOrder) {
    StrictMock<MockD2xx> lib;
    TransferState state;
    std::vector<std::string> messages;
    DeviceConnection connection(lib, state, [&](const std::string& m) { messages.push_back(m); });
    FT_HANDLE const probe = reinterpret_cast<FT_HANDLE>(0x10);
    FT_HANDLE const device = reinterpret_cast<FT_HANDLE>(0x20);
    {
        InSequence order;
        EXPECT_CALL(lib, FT_OpenEx(DescriptionIs("FT232R USB UART"), 2u, _))
            .WillOnce(DoAll(SetArgPointee<2>(probe), Return(FT_OK)));
        EXPECT_CALL(lib, FT_Close(probe)).WillOnce(Return(FT_OK));
        EXPECT_CALL(lib, FT_OpenEx(DescriptionIs("FT232R USB UART"), 2u, _))
            .WillOnce(DoAll(SetArgPointee<2>(device), Return(FT_OK)));
        EXPECT_CALL(lib, FT_GetDeviceInfo(device, _, _, _, _, nullptr))
            .WillOnce(DoAll(SetArgPointee<1>(FT_DEVICE_232R), Return(FT_OK)));
        EXPECT_CALL(lib, FT_ResetDevice(device)).WillOnce(Return(FT_OK));
        // Failing line settings are not looked at.
        EXPECT_CALL(lib, FT_SetBaudRate(device, 9600u)).WillOnce(Return(FT_IO_ERROR));
        EXPECT_CALL(lib, FT_SetDataCharacteristics(device, 8, 0, 0)).WillOnce(Return(FT_IO_ERROR));
        EXPECT_CALL(lib, FT_SetFlowControl(device, 0, 0, 0)).WillOnce(Return(FT_IO_ERROR));
        EXPECT_CALL(lib, FT_SetTimeouts(device, 500u, 1000u)).WillOnce(Return(FT_IO_ERROR));
        // Last, and a library without it connects all the same.
        EXPECT_CALL(lib, FT_SetLatencyTimer(device, 1)).WillOnce(Return(FT_NOT_SUPPORTED));
        // A second Connect closes the first device before anything is opened again.
        EXPECT_CALL(lib, FT_Close(device)).WillOnce(Return(FT_OK));
        EXPECT_CALL(lib, FT_OpenEx(_, 2u, _)).WillOnce(Return(FT_DEVICE_NOT_FOUND));
    }
    connection.Connect();
    EXPECT_TRUE(state.DeviceConnected);
    connection.Connect();
    EXPECT_FALSE(state.DeviceConnected);
    EXPECT_EQ(messages, std::vector<std::string>{"Nepripojené zariadenie !"});
}

} // namespace
} // namespace qolmex
