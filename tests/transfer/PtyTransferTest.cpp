// Whole transfers through the serial backend on a real kernel tty: the program opens the
// slave of a pseudo-terminal by its path, the virtual unit serves the master side paced at
// 9600 baud on a thread of its own.
#include "support/PtyUnitServer.h"

#include "config/Configuration.h"
#include "sim/DemoConfiguration.h"
#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ReadSequence.h"
#include "transfer/SendSequence.h"
#include "transfer/TransferTexts.h"
#include "usb/DeviceConnection.h"
#include "usb/SerialD2xx.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

using namespace std::chrono;

// The program around a sequence in real time; the reply timer ticks every 2000 ms.
class RealTimeHost : public TransferHost, public TransferDialog {
public:
    explicit RealTimeHost(TransferState& state) : state_(state) {}

    void pump() override {
        if (timerRunning_ && now() >= timerDue_) {
            state_.ReplyTimedOut = true;
            timerDue_ += milliseconds(2000);
        }
    }
    void setMainWindowEnabled(bool enabled) override { mainEnabled = enabled; }
    void showMessage(const std::string& text) override {
        messages.push_back(text);
        messageAt = steady_clock::now();
    }
    void startReplyTimer() override {
        timerRunning_ = true;
        timerDue_ = now() + milliseconds(2000);
    }
    void stopReplyTimer() override { timerRunning_ = false; }
    milliseconds now() override {
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    }

    void showDialog() override { visible = true; }
    void hideDialog() override { visible = false; }
    void setCaption(const std::string&) override {}
    void setLabel(const std::string&) override {}
    void setGaugeVisible(bool) override {}
    void setCancelVisible(bool) override {}
    void setProgress(int) override {}
    void btnCancelClick() override {
        state_.DeviceConnected = false;
        state_.BlockConfirmed = true;
        visible = false;
        mainEnabled = true;
    }

    bool mainEnabled = true;
    bool visible = false;
    std::vector<std::string> messages;
    steady_clock::time_point messageAt{};

private:
    TransferState& state_;
    bool timerRunning_ = false;
    milliseconds timerDue_{0};
};

class PtyTransfer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }
    void send(const Configuration& config) {
        SendSequence sequence(state, connection, host, host, [] { return LocalDateTime{}; });
        sequence.run(config);
    }
    void read(Configuration& config) {
        ReadSequence sequence(state, connection, host, host);
        sequence.run(config);
    }
    void expectIdle() {
        EXPECT_FALSE(host.visible);
        EXPECT_TRUE(host.mainEnabled);
        EXPECT_FALSE(state.DeviceConnected);
        EXPECT_EQ(state.UsbDevice, nullptr);
    }

    PtyPair pty;
    SerialD2xx serial{makeFixedPortSystem(pty.slavePath())};
    TransferState state;
    RealTimeHost host{state};
    DeviceConnection connection{serial, state,
                                [this](const std::string& m) { host.showMessage(m); }};
};

TEST_F(PtyTransfer, SendThenReadAreByteExact) {
    PtyUnitServer server(pty);
    const Configuration config = demoConfiguration();
    send(config);
    EXPECT_TRUE(host.messages.empty()) << host.messages[0];
    expectIdle();

    // The unit sees the line drop only when it looks; an installer's next click is slower.
    std::this_thread::sleep_for(milliseconds(100));
    Configuration back;
    read(back);
    EXPECT_TRUE(host.messages.empty()) << host.messages[0];
    expectIdle();
    server.stop();
    EXPECT_EQ(back, config);
    EXPECT_EQ(server.unit().memory(), unitMemoryOf(config));
    EXPECT_TRUE(server.unit().clockBlockWritten());
}

// The cable pulled in the middle of a Send: the transfer ends with its message within a
// second, the line closed and the window usable.
TEST_F(PtyTransfer, TheFarSideGoneEndsTheSendAtOnce) {
    PtyUnitServer server(pty);
    server.hangUpAfter(1 + 40 * 18); // the start byte and forty blocks
    send(demoConfiguration());
    server.stop();
    ASSERT_EQ(host.messages, std::vector<std::string>{texts::unplugged});
    EXPECT_LT(host.messageAt - server.hungUpAt(), milliseconds(1000));
    expectIdle();
    EXPECT_GE(server.unit().receivedFrameAddresses().size(), 39u);
    EXPECT_LT(server.unit().receivedFrameAddresses().size(), 45u);
}

} // namespace
} // namespace qolmex
