// The real serial ports, through libserialport.
#include "usb/PosixTtyLine.h"
#include "usb/SerialPortSystem.h"
#include "usb/TtyDescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <libserialport.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qolmex {

namespace {

std::string text(const char* s) {
    return s ? std::string(s) : std::string();
}

// Waits on the port's descriptor itself rather than in libserialport's blocking calls:
// those spin on a hung-up tty (always readable, never a byte) until their time-out.
class LibSerialPortLine : public SerialLine {
public:
    LibSerialPortLine(sp_port* port, int fd, const tty::FoundSettings& found)
        : port_(port), fd_(fd), found_(found), latencyLowered_(tty::lowerLatency(fd)) {}
    ~LibSerialPortLine() override {
        if (latencyLowered_)
            tty::restoreLatency(fd_);
        found_.restore(fd_);
        tty::releaseExclusive(fd_);
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
        return tty::readWithin(fd_, buffer, count, timeoutMs);
    }
    int write(const std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) override {
        return tty::writeWithin(fd_, buffer, count, timeoutMs);
    }
    int bytesWaiting() override { return sp_input_waiting(port_); }
    bool reset() override { return sp_flush(port_, SP_BUF_OUTPUT) == SP_OK; }

private:
    sp_port* port_;
    int fd_;
    tty::FoundSettings found_;
    bool latencyLowered_;
};

class LibSerialPortSystem : public SerialPortSystem {
public:
    std::vector<SerialPortInfo> listPorts() override {
        std::vector<SerialPortInfo> result;
        sp_port** ports = nullptr;
        listFailed_ = sp_list_ports(&ports) != SP_OK;
        if (listFailed_)
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
        lastOpenError_ = 0;
        sp_port* port = nullptr;
        if (sp_get_port_by_name(info.name.c_str(), &port) != SP_OK) {
            lastOpenError_ = ENOENT;
            return nullptr;
        }
        // libserialport makes the line raw as it opens it; what it was before is read through
        // a descriptor of our own, held across that open so that closing it hangs nothing up.
        const int before = ::open(info.name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        const tty::FoundSettings found(before);
        const bool opened = sp_open(port, SP_MODE_READ_WRITE) == SP_OK;
        if (!opened)
            lastOpenError_ = sp_last_error_code();
        if (before >= 0)
            ::close(before);
        if (!opened) {
            sp_free_port(port);
            return nullptr;
        }
        int fd = -1;
        if (sp_get_port_handle(port, &fd) != SP_OK || fd < 0 || !tty::takeExclusively(fd)) {
            lastOpenError_ = fd < 0 ? EBADF : errno;
            if (fd >= 0) // held by another program: its line as that program had it
                found.restore(fd);
            sp_close(port);
            sp_free_port(port);
            return nullptr;
        }
        return std::make_unique<LibSerialPortLine>(port, fd, found);
    }
    int lastOpenError() const override { return lastOpenError_; }
    bool listFailed() const override { return listFailed_; }

private:
    int lastOpenError_ = 0;
    bool listFailed_ = false;
};

class FixedPortSystem : public SerialPortSystem {
public:
    explicit FixedPortSystem(std::string path) : path_(std::move(path)) {}

    // A path that names nothing is no port: absent, as an unplugged bridge is.
    std::vector<SerialPortInfo> listPorts() override {
        struct stat found {};
        if (::stat(path_.c_str(), &found) != 0)
            return {};
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
    // A port libserialport cannot describe (a pseudo-terminal) is opened as a bare tty.
    std::unique_ptr<SerialLine> open(const SerialPortInfo& port) override {
        sp_port* described = nullptr;
        if (sp_get_port_by_name(path_.c_str(), &described) == SP_OK) {
            sp_free_port(described);
            return system_.open(port);
        }
        errno = 0;
        std::unique_ptr<SerialLine> line = openPosixTtyLine(path_);
        posixError_ = line ? 0 : errno;
        return line;
    }
    int lastOpenError() const override {
        return posixError_ != 0 ? posixError_ : system_.lastOpenError();
    }

private:
    std::string path_;
    LibSerialPortSystem system_;
    int posixError_ = 0;
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
