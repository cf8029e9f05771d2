#include "usb/TtyDescriptor.h"

#include <cerrno>
#include <chrono>

#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/serial.h>
#endif

namespace qolmex::tty {

namespace {

template <typename Move>
int transfer(int fd, std::size_t count, unsigned timeoutMs, short event, Move move) {
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
        pollfd ready{fd, event, 0};
        const int polled = ::poll(&ready, 1, wait);
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled < 0 || (ready.revents & (POLLERR | POLLNVAL)) != 0)
            return -1;
        if (polled == 0)
            continue; // the deadline check above ends it
        if ((ready.revents & event) == 0)
            return -1; // a hang-up alone
        const ssize_t moved = move(done, count - done);
        if (moved > 0)
            done += static_cast<std::size_t>(moved);
        else if (moved < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        else
            return -1;
    }
    return static_cast<int>(done);
}

} // namespace

int readWithin(int fd, std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) {
    return transfer(fd, count, timeoutMs, POLLIN, [&](std::size_t at, std::size_t n) {
        return ::read(fd, buffer + at, n);
    });
}

int writeWithin(int fd, const std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) {
    return transfer(fd, count, timeoutMs, POLLOUT, [&](std::size_t at, std::size_t n) {
        return ::write(fd, buffer + at, n);
    });
}

// TIOCEXCL keeps out every later open but root's; the lock keeps out root as well, and
// another copy of this program.
bool takeExclusively(int fd) {
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            errno = EBUSY;
        return false;
    }
#if defined(TIOCEXCL)
    ::ioctl(fd, TIOCEXCL);
#endif
    return true;
}

// A pseudo-terminal keeps the flag past our close otherwise.
void releaseExclusive([[maybe_unused]] int fd) {
#if defined(TIOCNXCL)
    ::ioctl(fd, TIOCNXCL);
#endif
}

// Every block waits for a 16-byte reply; the FTDI driver's default 16 ms latency would add
// that much to each. Changing the flag needs no root.
bool lowerLatency([[maybe_unused]] int fd) {
#if defined(__linux__)
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) != 0 || (serial.flags & ASYNC_LOW_LATENCY) != 0)
        return false;
    serial.flags |= ASYNC_LOW_LATENCY;
    return ::ioctl(fd, TIOCSSERIAL, &serial) == 0;
#else
    return false;
#endif
}

void restoreLatency([[maybe_unused]] int fd) {
#if defined(__linux__)
    serial_struct serial{};
    if (::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
        serial.flags &= ~ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &serial);
    }
#endif
}

} // namespace qolmex::tty
