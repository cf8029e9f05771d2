// The real serial ports, through libserialport.
#include "usb/SerialPortSystem.h"

#include <libserialport.h>

#include <filesystem>
#include <fstream>

#if defined(__linux__)
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace qolmex {

namespace {

std::string text(const char* s) {
    return s ? std::string(s) : std::string();
}

class LibSerialPortLine : public SerialLine {
public:
    explicit LibSerialPortLine(sp_port* port) : port_(port) {}
    ~LibSerialPortLine() override {
        sp_close(port_);
        sp_free_port(port_);
    }
    LibSerialPortLine(const LibSerialPortLine&) = delete;
    LibSerialPortLine& operator=(const LibSerialPortLine&) = delete;

    bool setBaudRate(std::uint32_t baud) override {
        return sp_set_baudrate(port_, static_cast<int>(baud)) == SP_OK;
    }
    bool setFormat(int dataBits, int stopBits, SerialParity parity) override {
        static constexpr sp_parity parities[] = {SP_PARITY_NONE, SP_PARITY_ODD, SP_PARITY_EVEN,
                                                 SP_PARITY_MARK, SP_PARITY_SPACE};
        return sp_set_bits(port_, dataBits) == SP_OK && sp_set_stopbits(port_, stopBits) == SP_OK &&
               sp_set_parity(port_, parities[static_cast<int>(parity)]) == SP_OK;
    }
    bool setFlowControl(SerialFlow flow) override {
        static constexpr sp_flowcontrol modes[] = {SP_FLOWCONTROL_NONE, SP_FLOWCONTROL_RTSCTS,
                                                   SP_FLOWCONTROL_DTRDSR, SP_FLOWCONTROL_XONXOFF};
        return sp_set_flowcontrol(port_, modes[static_cast<int>(flow)]) == SP_OK;
    }
    int read(std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) override {
        return sp_blocking_read(port_, buffer, count, timeoutMs);
    }
    int write(const std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) override {
        return sp_blocking_write(port_, buffer, count, timeoutMs);
    }
    int bytesWaiting() override { return sp_input_waiting(port_); }
    bool reset() override { return sp_flush(port_, SP_BUF_OUTPUT) == SP_OK; }

private:
    sp_port* port_;
};

// Every block waits for a 16-byte reply; the FTDI driver's default 16 ms
// latency would add that much to each. Changing the flag needs no root.
void lowerLatency([[maybe_unused]] sp_port* port) {
#if defined(__linux__)
    int fd = -1;
    if (sp_get_port_handle(port, &fd) != SP_OK || fd < 0)
        return;
    serial_struct serial{};
    if (ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags |= ASYNC_LOW_LATENCY;
        ioctl(fd, TIOCSSERIAL, &serial);
    }
#endif
}

class LibSerialPortSystem : public SerialPortSystem {
public:
    std::vector<SerialPortInfo> listPorts() override {
        std::vector<SerialPortInfo> result;
        sp_port** ports = nullptr;
        if (sp_list_ports(&ports) != SP_OK)
            return result;
        for (sp_port** p = ports; *p != nullptr; ++p) {
            SerialPortInfo info;
            info.name = text(sp_get_port_name(*p));
            info.usb = sp_get_port_transport(*p) == SP_TRANSPORT_USB;
            if (info.usb) {
                info.product = text(sp_get_port_usb_product(*p));
                info.serialNumber = text(sp_get_port_usb_serial(*p));
                sp_get_port_usb_vid_pid(*p, &info.vendorId, &info.productId);
                info.bcdDevice = readBcdDevice(info.name);
            }
            result.push_back(std::move(info));
        }
        sp_free_port_list(ports);
        return result;
    }

    std::unique_ptr<SerialLine> open(const SerialPortInfo& info) override {
        sp_port* port = nullptr;
        if (sp_get_port_by_name(info.name.c_str(), &port) != SP_OK)
            return nullptr;
        if (sp_open(port, SP_MODE_READ_WRITE) != SP_OK) {
            sp_free_port(port);
            return nullptr;
        }
        lowerLatency(port);
        return std::make_unique<LibSerialPortLine>(port);
    }
};

class FixedPortSystem : public SerialPortSystem {
public:
    explicit FixedPortSystem(std::string path) : path_(std::move(path)) {}

    std::vector<SerialPortInfo> listPorts() override {
        SerialPortInfo info;
        info.name = path_;
        info.usb = true;
        info.product = "FT232R USB UART";
        info.vendorId = 0x0403;
        info.productId = 0x6001;
        for (const SerialPortInfo& port : system_.listPorts()) {
            if (port.name == path_ && port.usb)
                info.serialNumber = port.serialNumber;
        }
        return {info};
    }
    std::unique_ptr<SerialLine> open(const SerialPortInfo& port) override {
        return system_.open(port);
    }

private:
    std::string path_;
    LibSerialPortSystem system_;
};

} // namespace

std::unique_ptr<SerialPortSystem> makeLibSerialPortSystem() {
    return std::make_unique<LibSerialPortSystem>();
}

std::unique_ptr<SerialPortSystem> makeFixedPortSystem(const std::string& path) {
    return std::make_unique<FixedPortSystem>(path);
}

// /sys/class/tty/<name>/device leads to the USB interface (or, for usb-serial
// drivers, to a port below it); the USB device with bcdDevice is a level or two up.
std::optional<std::uint16_t> readBcdDevice(const std::string& portName,
                                           const std::string& sysRoot) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path link =
        fs::path(sysRoot) / "class" / "tty" / fs::path(portName).filename() / "device";
    fs::path dir = fs::canonical(link, error);
    if (error)
        return std::nullopt;
    for (int level = 0; level < 4 && !dir.empty(); ++level, dir = dir.parent_path()) {
        std::ifstream file(dir / "bcdDevice");
        unsigned value = 0;
        if (file >> std::hex >> value)
            return static_cast<std::uint16_t>(value);
    }
    return std::nullopt;
}

} // namespace qolmex
