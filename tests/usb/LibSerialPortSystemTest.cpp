#include "support/PtyUnitServer.h"
#include "usb/DeviceConnection.h"
#include "usb/PortHolder.h"
#include "usb/SerialD2xx.h"
#include "usb/SerialPortSystem.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace qolmex {
namespace {

using namespace std::chrono;

milliseconds threadCpuTime() {
    rusage usage{};
    ::getrusage(RUSAGE_THREAD, &usage);
    return duration_cast<milliseconds>(seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                                       microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec));
}

// The serial backend on a real kernel tty: Connect opens the slave of a pseudo-terminal by
// its path through libserialport; the test plays the unit on the master side.
class SerialPortOnPty : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }
    std::unique_ptr<DeviceConnection> connect(SerialD2xx& backend, TransferState& into) {
        auto connection = std::make_unique<DeviceConnection>(
            backend, into, [this](const std::string& m) { messages.push_back(m); });
        connection->Connect();
        return connection;
    }

    PtyPair pty;
    SerialD2xx serial{makeFixedPortSystem(pty.slavePath())};
    TransferState state;
    std::vector<std::string> messages;
};

TEST_F(SerialPortOnPty, EveryByteValueCrossesUnchangedBothWays) {
    auto connection = connect(serial, state);
    ASSERT_TRUE(state.DeviceConnected) << (messages.empty() ? "" : messages[0]);
    // Line ends, XON/XOFF and the extremes: what a cooked tty would change or swallow.
    const std::vector<std::uint8_t> bytes = {0x00, 0x0A, 0x0D, 0x11, 0x13, 0xFF, 0x0D, 0x0A};
    DWORD count = 0;
    ASSERT_TRUE(state.UsbDevice->write(bytes.data(), static_cast<DWORD>(bytes.size()), count));
    EXPECT_EQ(count, bytes.size());
    EXPECT_EQ(pty.receive(bytes.size(), milliseconds(1000)), bytes);

    pty.send(bytes);
    std::vector<std::uint8_t> back(bytes.size());
    ASSERT_TRUE(state.UsbDevice->read(back.data(), static_cast<DWORD>(back.size()), count));
    EXPECT_EQ(count, bytes.size());
    EXPECT_EQ(back, bytes);
    connection->Disconnect();
}

// A read that ends by its time-out hands over what came, and waits without using the CPU.
TEST_F(SerialPortOnPty, AShortReadEndsAfterTheTimeOutWithWhatCame) {
    auto connection = connect(serial, state);
    ASSERT_TRUE(state.DeviceConnected);
    pty.send({1, 2, 3, 4, 5});
    std::uint8_t frame[18] = {};
    DWORD count = 0;
    const auto cpuBefore = threadCpuTime();
    const auto before = steady_clock::now();
    EXPECT_TRUE(state.UsbDevice->read(frame, 18, count));
    const auto waited = steady_clock::now() - before;
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(frame[4], 5);
    EXPECT_GE(waited, milliseconds(490));
    EXPECT_LT(waited, milliseconds(1000));
    EXPECT_LT(threadCpuTime() - cpuBefore, milliseconds(50));
    EXPECT_FALSE(state.UsbDevice->deviceLost());
    connection->Disconnect();
}

// The far side gone: reads and writes fail at once, not after their time-outs, and the
// wrapper knows the bridge is lost.
TEST_F(SerialPortOnPty, AHungUpPortFailsAtOnce) {
    auto connection = connect(serial, state);
    ASSERT_TRUE(state.DeviceConnected);
    pty.closeMaster();
    std::uint8_t frame[18] = {};
    DWORD count = 0;
    const auto cpuBefore = threadCpuTime();
    const auto before = steady_clock::now();
    for (int pass = 0; pass < 20; ++pass)
        EXPECT_FALSE(state.UsbDevice->read(frame, 18, count));
    EXPECT_FALSE(state.UsbDevice->write(frame, 18, count));
    EXPECT_LT(steady_clock::now() - before, milliseconds(200));
    EXPECT_LT(threadCpuTime() - cpuBefore, milliseconds(100));
    EXPECT_TRUE(state.UsbDevice->deviceLost());
    connection->Disconnect();
}

// A second program, or a second copy of this one, cannot interleave its bytes: it is refused
// and told who holds the port; never this program itself, which holds its own ports too.
TEST_F(SerialPortOnPty, ASecondOpenIsRefusedNamingTheOtherHolder) {
    auto first = connect(serial, state);
    ASSERT_TRUE(state.DeviceConnected);
    SerialD2xx other(makeFixedPortSystem(pty.slavePath()));
    TransferState otherState;
    auto second = connect(other, otherState);
    EXPECT_FALSE(otherState.DeviceConnected);
    EXPECT_EQ(messages,
              std::vector<std::string>{openFailureTexts::portBusy(pty.slavePath(), std::nullopt)});

    first->Disconnect(); // released, it opens again
    messages.clear();
    second->Connect();
    EXPECT_TRUE(otherState.DeviceConnected);
    EXPECT_TRUE(messages.empty());
    second->Disconnect();

    // Another process holds it the way this program does.
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {       // only calls a forked child may make
        ::close(release[1]); // so that the parent's close ends the read below
        const int fd = ::open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
        const char held = fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 1 : 0;
        [[maybe_unused]] ssize_t n = ::write(ready[1], &held, 1);
        n = ::read(release[0], const_cast<char*>(&held), 1);
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, 1);
    messages.clear();
    second->Connect();
    EXPECT_FALSE(otherState.DeviceConnected);
    const auto found = findPortHolder(pty.slavePath());
    ::close(release[1]);
    ::waitpid(holder, nullptr, 0);
    for (const int fd : {ready[0], ready[1], release[0]})
        ::close(fd);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->pid, holder);
    EXPECT_EQ(messages,
              std::vector<std::string>{openFailureTexts::portBusy(pty.slavePath(), found)});
}

// The line's settings as the program found them are there again once it has closed the port.
TEST_F(SerialPortOnPty, ThePortIsLeftAsItWasFound) {
    termios before{};
    ASSERT_EQ(::tcgetattr(pty.master(), &before), 0);
    ASSERT_NE(before.c_lflag & ICANON, 0u); // a fresh terminal is cooked
    auto connection = connect(serial, state);
    ASSERT_TRUE(state.DeviceConnected);
    termios during{};
    ::tcgetattr(pty.master(), &during);
    EXPECT_EQ(during.c_lflag & (ICANON | ECHO), 0u);
    connection->Disconnect();
    termios after{};
    ASSERT_EQ(::tcgetattr(pty.master(), &after), 0);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(after.c_oflag, before.c_oflag);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_lflag, before.c_lflag);
    EXPECT_EQ(::cfgetospeed(&after), ::cfgetospeed(&before));
}

TEST_F(SerialPortOnPty, AForbiddenPortNamesItsGroupAndTheRemedies) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root opens any port; run as an ordinary user (the test command runs "
                        "this as nobody)";
    ASSERT_EQ(::chmod(pty.slavePath().c_str(), 0), 0);
    auto connection = connect(serial, state);
    EXPECT_FALSE(state.DeviceConnected);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], openFailureTexts::permissionDenied(pty.slavePath(),
                                                              portGroupName(pty.slavePath())));
    EXPECT_NE(messages[0].find(pty.slavePath()), std::string::npos);
    const std::vector<BridgeEntry> bridges = serial.listBridges();
    ASSERT_EQ(bridges.size(), 1u);
    EXPECT_FALSE(bridges[0].openable);
    EXPECT_EQ(bridges[0].reason, messages[0]);
}

} // namespace
} // namespace qolmex
