// The real serial ports, through libserialport.
#include "usb/SerialPortSystem.h"

#include <libserialport.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>

#include <poll.h>
#include <sys/file.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif

namespace qolmex {

namespace {

std::string text(const char* s) {
    return s ? std::string(s) : std::string();
}

// Our own waits on the port's descriptor instead of libserialport's blocking calls: those
// spin on a hung-up tty (always readable, never a byte) until their time-out.
class LibSerialPortLine : public SerialLine {
public:
    LibSerialPortLine(sp_port* port, int fd) : port_(port), fd_(fd) { lowerLatency(); }
    ~LibSerialPortLine() override {
        restoreLatency();
#if defined(__linux__)
        ioctl(fd_, TIOCNXCL); // a pseudo-terminal keeps the flag past our close otherwise
#endif
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
        return transfer(buffer, count, timeoutMs, POLLIN,
                        [this](std::uint8_t* at, std::size_t n) { return ::read(fd_, at, n); });
    }
    int write(const std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) override {
        return transfer(const_cast<std::uint8_t*>(buffer), count, timeoutMs, POLLOUT,
                        [this](std::uint8_t* at, std::size_t n) { return ::write(fd_, at, n); });
    }
    int bytesWaiting() override { return sp_input_waiting(port_); }
    bool reset() override { return sp_flush(port_, SP_BUF_OUTPUT) == SP_OK; }

private:
    // Moves bytes until count or the time-out; -1 when the port hangs up or fails, including
    // one that reports itself ready and then moves nothing.
    template <typename Move>
    int transfer(std::uint8_t* buffer, std::size_t count, unsigned timeoutMs, short event,
                 Move move) {
        using namespace std::chrono;
        const auto deadline = steady_clock::now() + milliseconds(timeoutMs);
        std::size_t done = 0;
        while (done < count) {
            int wait = -1;
            if (timeoutMs != 0) {
                const auto left = duration_cast<milliseconds>(deadline - steady_clock::now());
                if (left.count() <= 0)
                    break;
                wait = static_cast<int>(left.count()) + 1;
            }
            pollfd ready{fd_, event, 0};
            const int polled = ::poll(&ready, 1, wait);
            if (polled < 0 && errno == EINTR)
                continue;
            if (polled < 0 || (ready.revents & (POLLERR | POLLNVAL)) != 0)
                return -1;
            if (polled == 0)
                continue; // the deadline check above ends it
            if ((ready.revents & event) == 0)
                return -1; // a hang-up alone
            const ssize_t moved = move(buffer + done, count - done);
            if (moved > 0)
                done += static_cast<std::size_t>(moved);
            else if (moved < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
            else
                return -1;
        }
        return static_cast<int>(done);
    }

    // Every block waits for a 16-byte reply; the FTDI driver's default 16 ms latency would
    // add that much to each. Changing the flag needs no root; at close it is put back.
    void lowerLatency() {
#if defined(__linux__)
        serial_struct serial{};
        if (ioctl(fd_, TIOCGSERIAL, &serial) != 0 || (serial.flags & ASYNC_LOW_LATENCY) != 0)
            return;
        serial.flags |= ASYNC_LOW_LATENCY;
        latencyLowered_ = ioctl(fd_, TIOCSSERIAL, &serial) == 0;
#endif
    }
    void restoreLatency() {
#if defined(__linux__)
        serial_struct serial{};
        if (latencyLowered_ && ioctl(fd_, TIOCGSERIAL, &serial) == 0) {
            serial.flags &= ~ASYNC_LOW_LATENCY;
            ioctl(fd_, TIOCSSERIAL, &serial);
        }
#endif
    }

    sp_port* port_;
    int fd_;
    bool latencyLowered_ = false;
};

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
        lastOpenError_ = 0;
        sp_port* port = nullptr;
        if (sp_get_port_by_name(info.name.c_str(), &port) != SP_OK) {
            lastOpenError_ = ENOENT;
            return nullptr;
        }
        if (sp_open(port, SP_MODE_READ_WRITE) != SP_OK) {
            lastOpenError_ = sp_last_error_code();
            sp_free_port(port);
            return nullptr;
        }
        int fd = -1;
        if (sp_get_port_handle(port, &fd) != SP_OK || fd < 0 || !takeExclusively(fd)) {
            lastOpenError_ = fd < 0 ? EBADF : errno;
            sp_close(port);
            sp_free_port(port);
            return nullptr;
        }
        return std::make_unique<LibSerialPortLine>(port, fd);
    }
    int lastOpenError() const override { return lastOpenError_; }

private:
    // Like the vendor library, one program at a time, so no two interleave their bytes.
    // TIOCEXCL keeps out every later open but root's; the lock keeps out root as well, and
    // another copy of this program.
    static bool takeExclusively(int fd) {
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK)
                errno = EBUSY;
            return false;
        }
#if defined(__linux__)
        ioctl(fd, TIOCEXCL);
#endif
        return true;
    }

    int lastOpenError_ = 0;
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
    int lastOpenError() const override { return system_.lastOpenError(); }

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
