#include "usb/SerialD2xx.h"

#include "usb/DeviceConnection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qolmex {
namespace {

// What the backend asked of the one stub line.
struct LineLog {
    std::uint32_t baud = 0;
    int dataBits = 0;
    int stopBits = 0;
    SerialParity parity = SerialParity::None;
    SerialFlow flow = SerialFlow::None;
    unsigned lastReadTimeout = 12345;
    unsigned lastWriteTimeout = 12345;
    int resets = 0;
    bool failing = false;
    int opens = 0;
    int closes = 0;
};

class StubLine : public SerialLine {
public:
    explicit StubLine(LineLog& log) : log_(log) { ++log_.opens; }
    ~StubLine() override { ++log_.closes; }
    bool setBaudRate(std::uint32_t baud) override { log_.baud = baud; return true; }
    bool setFormat(int dataBits, int stopBits, SerialParity parity) override {
        log_.dataBits = dataBits;
        log_.stopBits = stopBits;
        log_.parity = parity;
        return true;
    }
    bool setFlowControl(SerialFlow flow) override { log_.flow = flow; return true; }
    int read(std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) override {
        log_.lastReadTimeout = timeoutMs;
        if (log_.failing)
            return -1;
        const std::size_t n = std::min<std::size_t>(count, 5); // the rest "timed out"
        std::fill_n(buffer, n, std::uint8_t{'r'});
        return static_cast<int>(n);
    }
    int write(const std::uint8_t*, std::size_t count, unsigned timeoutMs) override {
        log_.lastWriteTimeout = timeoutMs;
        return log_.failing ? -1 : static_cast<int>(count);
    }
    int bytesWaiting() override { return log_.failing ? -1 : 3; }
    bool reset() override { ++log_.resets; return !log_.failing; }

private:
    LineLog& log_;
};

class StubSystem : public SerialPortSystem {
public:
    StubSystem(std::vector<SerialPortInfo> ports, LineLog& log, bool openFails = false)
        : ports_(std::move(ports)), log_(log), openFails_(openFails) {}
    std::vector<SerialPortInfo> listPorts() override { return ports_; }
    std::unique_ptr<SerialLine> open(const SerialPortInfo& port) override {
        openedName = port.name;
        if (openFails_)
            return nullptr;
        return std::make_unique<StubLine>(log_);
    }
    std::string openedName;

private:
    std::vector<SerialPortInfo> ports_;
    LineLog& log_;
    bool openFails_;
};

SerialPortInfo usbPort(std::string name, std::string product, int vid, int pid,
                       std::optional<std::uint16_t> bcd = std::nullopt) {
    SerialPortInfo port;
    port.name = std::move(name);
    port.usb = true;
    port.product = std::move(product);
    port.serialNumber = "A50285BI";
    port.vendorId = vid;
    port.productId = pid;
    port.bcdDevice = bcd;
    return port;
}

TEST(SerialD2xxTypes, OnlyAKnownFt232rIsType5) {
    const auto typeOf = [](int vid, int pid, std::optional<std::uint16_t> bcd) {
        return SerialD2xx::deviceTypeOf(usbPort("p", "FT232R USB UART", vid, pid, bcd));
    };
    EXPECT_EQ(typeOf(0x0403, 0x6001, std::nullopt), FT_DEVICE_232R); // release not told
    EXPECT_EQ(typeOf(0x0403, 0x6001, 0x0600), FT_DEVICE_232R);
    EXPECT_EQ(typeOf(0x0403, 0x6001, 0x0400), FT_DEVICE_BM);
    EXPECT_EQ(typeOf(0x0403, 0x6001, 0x0200), FT_DEVICE_AM);
    EXPECT_EQ(typeOf(0x0403, 0x6001, 0x1000), FT_DEVICE_UNKNOWN);
    EXPECT_EQ(typeOf(0x0403, 0x6010, 0x0500), FT_DEVICE_2232C);
    EXPECT_EQ(typeOf(0x0403, 0x6010, 0x0700), FT_DEVICE_2232H);
    EXPECT_EQ(typeOf(0x0403, 0x6015, 0x1000), FT_DEVICE_X_SERIES);
    EXPECT_EQ(typeOf(0x10C4, 0xEA60, 0x0100), FT_DEVICE_UNKNOWN); // a clone naming itself FT232R
    EXPECT_EQ(typeOf(-1, -1, std::nullopt), FT_DEVICE_UNKNOWN);
}

TEST(SerialD2xxPorts, TheUsbPortWithTheProductStringIsTheDevice) {
    SerialPortInfo builtIn;
    builtIn.name = "/dev/ttyS0";
    builtIn.product = "FT232R USB UART"; // not USB: never matches
    const std::vector<SerialPortInfo> ports = {
        builtIn, usbPort("/dev/ttyACM0", "USB Modem", 0x1234, 1),
        usbPort("/dev/ttyUSB1", "FT232R USB UART", 0x0403, 0x6001),
        usbPort("/dev/ttyUSB2", "FT232R USB UART", 0x0403, 0x6001)};
    const SerialPortInfo* found = SerialD2xx::findByDescription(ports, "FT232R USB UART");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->name, "/dev/ttyUSB1");
    EXPECT_EQ(SerialD2xx::findByDescription(ports, "FT232R USB"), nullptr);
    EXPECT_EQ(SerialD2xx::findByDescription(ports, "ft232r usb uart"), nullptr);
}

class SerialD2xxConnect : public ::testing::Test {
protected:
    void connectTo(std::vector<SerialPortInfo> ports, bool openFails = false) {
        auto system = std::make_unique<StubSystem>(std::move(ports), log, openFails);
        stub = system.get();
        serial = std::make_unique<SerialD2xx>(std::move(system));
        connection = std::make_unique<DeviceConnection>(
            *serial, state, [this](const std::string& m) { messages.push_back(m); });
        connection->Connect();
    }
    LineLog log;
    StubSystem* stub = nullptr;
    std::unique_ptr<SerialD2xx> serial;
    TransferState state;
    std::vector<std::string> messages;
    std::unique_ptr<DeviceConnection> connection;
};

TEST_F(SerialD2xxConnect, Ft232rConnectsWithTheFixedLine) {
    connectTo({usbPort("/dev/ttyUSB0", "FT232R USB UART", 0x0403, 0x6001, 0x0600)});
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(state.DeviceConnected);
    // The probe's port is the one used: no close between them, which would drop DTR and RTS.
    EXPECT_EQ(log.opens, 1);
    EXPECT_EQ(log.closes, 0);
    EXPECT_EQ(log.baud, 9600u);
    EXPECT_EQ(log.dataBits, 8);
    EXPECT_EQ(log.stopBits, 1);
    EXPECT_EQ(log.parity, SerialParity::None);
    EXPECT_EQ(log.flow, SerialFlow::None);
    EXPECT_EQ(log.resets, 1);

    // D2XX semantics: the set time-outs bound every read and write; short counts come back.
    char buffer[18];
    DWORD count = 0;
    EXPECT_TRUE(state.UsbDevice->read(buffer, 18, count));
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(log.lastReadTimeout, 500u);
    EXPECT_TRUE(state.UsbDevice->write(buffer, 18, count));
    EXPECT_EQ(count, 18u);
    EXPECT_EQ(log.lastWriteTimeout, 1000u);

    log.failing = true;
    EXPECT_FALSE(state.UsbDevice->read(buffer, 18, count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(state.UsbDevice->write(buffer, 1, count));
    EXPECT_EQ(count, 0u);

    connection->Disconnect();
    EXPECT_EQ(log.closes, 1);
    connection->Connect(); // the next transfer opens afresh
    EXPECT_EQ(log.opens, 2);
}

TEST_F(SerialD2xxConnect, NoMatchingPortIsNoDevice) {
    connectTo({usbPort("/dev/ttyUSB0", "CP2102 USB to UART Bridge Controller", 0x10C4, 0xEA60)});
    EXPECT_EQ(messages, std::vector<std::string>{"Nepripojené zariadenie !"});
    EXPECT_TRUE(stub->openedName.empty());
}

TEST_F(SerialD2xxConnect, PortThatCannotBeOpenedIsNoDevice) {
    connectTo({usbPort("/dev/ttyUSB0", "FT232R USB UART", 0x0403, 0x6001)}, true);
    EXPECT_EQ(messages, std::vector<std::string>{"Nepripojené zariadenie !"});
    EXPECT_FALSE(state.DeviceConnected);
}

TEST_F(SerialD2xxConnect, OtherChipWithTheSameDescriptionIsRefused) {
    connectTo({usbPort("/dev/ttyUSB0", "FT232R USB UART", 0x0403, 0x6001, 0x0400)});
    EXPECT_EQ(messages, std::vector<std::string>{"Nesprávne USB zariadenie !"});
    EXPECT_EQ(log.opens, log.closes); // left closed
}

TEST(SerialD2xxCalls, RefusesWhatD2xxRefuses) {
    LineLog log;
    SerialD2xx serial(std::make_unique<StubSystem>(
        std::vector<SerialPortInfo>{usbPort("/dev/ttyUSB0", "FT232R USB UART", 0x0403, 0x6001)},
        log));
    char description[] = "FT232R USB UART";
    FT_HANDLE handle = nullptr;
    constexpr DWORD byLocation = 4;
    EXPECT_EQ(serial.FT_OpenEx(description, byLocation, &handle), FT_INVALID_PARAMETER);
    EXPECT_EQ(serial.FT_OpenEx(description, FT_OPEN_BY_SERIAL_NUMBER, &handle),
              FT_DEVICE_NOT_FOUND);
    ASSERT_EQ(serial.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle), FT_OK);
    FT_HANDLE second = nullptr;
    EXPECT_EQ(serial.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &second),
              FT_DEVICE_NOT_OPENED); // one handle per device
    EXPECT_EQ(serial.FT_SetDataCharacteristics(handle, 6, 0, 0), FT_INVALID_PARAMETER);
    EXPECT_EQ(serial.FT_SetDataCharacteristics(handle, 8, 1, 0), FT_INVALID_PARAMETER);
    EXPECT_EQ(serial.FT_SetDataCharacteristics(handle, 7, 2, 3), FT_OK);
    EXPECT_EQ(log.dataBits, 7);
    EXPECT_EQ(log.stopBits, 2);
    EXPECT_EQ(log.parity, SerialParity::Mark);
    EXPECT_EQ(serial.FT_SetFlowControl(handle, 0x0300, 0, 0), FT_INVALID_PARAMETER);
    EXPECT_EQ(serial.FT_SetFlowControl(handle, FT_FLOW_DTR_DSR, 0, 0), FT_OK);
    EXPECT_EQ(log.flow, SerialFlow::DtrDsr);
    EXPECT_EQ(serial.FT_SetBaudRate(handle, 0), FT_INVALID_BAUD_RATE);
    DWORD waiting = 0;
    EXPECT_EQ(serial.FT_GetQueueStatus(handle, &waiting), FT_OK);
    EXPECT_EQ(waiting, 3u);

    FT_DEVICE type = 0;
    DWORD id = 0;
    char serialNumber[17];
    char text[65];
    ASSERT_EQ(serial.FT_GetDeviceInfo(handle, &type, &id, serialNumber, text, nullptr), FT_OK);
    EXPECT_EQ(type, FT_DEVICE_232R);
    EXPECT_EQ(id, 0x04036001u);
    EXPECT_STREQ(serialNumber, "A50285BI");
    EXPECT_STREQ(text, "FT232R USB UART");

    EXPECT_EQ(serial.FT_Close(handle), FT_OK);
    EXPECT_EQ(serial.FT_Close(handle), FT_INVALID_HANDLE);
    EXPECT_EQ(serial.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &second), FT_OK);
    EXPECT_EQ(serial.FT_Close(second), FT_OK);
}

#if defined(__linux__)
TEST(SerialD2xxSysfs, DeviceReleaseIsReadFromTheUsbDevice) {
    namespace fs = std::filesystem;
    const fs::path root = fs::path(::testing::TempDir()) / "qolmex-sysfs";
    fs::remove_all(root);
    const fs::path usbDevice = root / "devices" / "usb1" / "1-1";
    fs::create_directories(usbDevice / "1-1:1.0" / "ttyUSB0");
    std::ofstream(usbDevice / "bcdDevice") << "0600\n";
    fs::create_directories(root / "class" / "tty" / "ttyUSB0");
    fs::create_directory_symlink(usbDevice / "1-1:1.0" / "ttyUSB0",
                                 root / "class" / "tty" / "ttyUSB0" / "device");

    EXPECT_EQ(readBcdDevice("/dev/ttyUSB0", root.string()), std::uint16_t{0x0600});
    EXPECT_EQ(readBcdDevice("/dev/ttyUSB7", root.string()), std::nullopt);
    fs::remove_all(root);
}
#endif

} // namespace
} // namespace qolmex
