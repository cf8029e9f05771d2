#include "usb/PosixTtyLine.h"

#include "usb/TtyDescriptor.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace qolmex {

namespace {

speed_t speedOf(std::uint32_t baud) {
    switch (baud) {
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 921600: return B921600;
    default: return B0;
    }
}

class PosixTtyLine : public SerialLine {
public:
    PosixTtyLine(int fd, const tty::FoundSettings& found)
        : fd_(fd), found_(found), latencyLowered_(tty::lowerLatency(fd)) {}
    ~PosixTtyLine() override {
        if (latencyLowered_)
            tty::restoreLatency(fd_);
        found_.restore(fd_);
        tty::releaseExclusive(fd_);
        ::close(fd_);
    }
    PosixTtyLine(const PosixTtyLine&) = delete;
    PosixTtyLine& operator=(const PosixTtyLine&) = delete;

    bool setBaudRate(std::uint32_t baud) override {
        const speed_t speed = speedOf(baud);
        return speed != B0 && change([speed](termios& t) { return cfsetspeed(&t, speed) == 0; });
    }
    bool setFormat(int dataBits, int stopBits, SerialParity parity) override {
        return change([=](termios& t) {
            t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR);
            t.c_cflag |= dataBits == 7 ? CS7 : CS8;
            if (stopBits == 2)
                t.c_cflag |= CSTOPB;
            switch (parity) {
            case SerialParity::None: break;
            case SerialParity::Odd: t.c_cflag |= PARENB | PARODD; break;
            case SerialParity::Even: t.c_cflag |= PARENB; break;
            case SerialParity::Mark: t.c_cflag |= PARENB | PARODD | CMSPAR; break;
            case SerialParity::Space: t.c_cflag |= PARENB | CMSPAR; break;
            }
            return true;
        });
    }
    bool setFlowControl(SerialFlow flow) override {
        if (flow == SerialFlow::DtrDsr)
            return false; // the tty layer has no DTR/DSR handshake
        return change([flow](termios& t) {
            t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
            t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
            if (flow == SerialFlow::RtsCts)
                t.c_cflag |= CRTSCTS;
            if (flow == SerialFlow::XonXoff)
                t.c_iflag |= IXON | IXOFF;
            return true;
        });
    }
    int read(std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) override {
        return tty::readWithin(fd_, buffer, count, timeoutMs);
    }
    int write(const std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) override {
        return tty::writeWithin(fd_, buffer, count, timeoutMs);
    }
    int bytesWaiting() override {
        int waiting = 0;
        return ::ioctl(fd_, FIONREAD, &waiting) == 0 ? waiting : -1;
    }
    bool reset() override { return ::tcflush(fd_, TCOFLUSH) == 0; }

private:
    template <typename Edit>
    bool change(Edit edit) {
        termios t{};
        return ::tcgetattr(fd_, &t) == 0 && edit(t) && ::tcsetattr(fd_, TCSANOW, &t) == 0;
    }

    int fd_;
    tty::FoundSettings found_;
    bool latencyLowered_;
};

} // namespace

std::unique_ptr<SerialLine> openPosixTtyLine(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    termios t{};
    if (!::isatty(fd) || !tty::takeExclusively(fd) || ::tcgetattr(fd, &t) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return nullptr;
    }
    const tty::FoundSettings found(fd);
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &t) != 0) {
        const int error = errno;
        tty::releaseExclusive(fd);
        ::close(fd);
        errno = error;
        return nullptr;
    }
    return std::make_unique<PosixTtyLine>(fd, found);
}

} // namespace qolmex
