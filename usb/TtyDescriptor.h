#pragma once
// What both serial lines do on the port's file descriptor itself: waiting for bytes without
// spinning, noticing a hang-up, holding the port alone, and the driver's low-latency flag.

#include <cstddef>
#include <cstdint>

#include <termios.h>

namespace qolmex::tty {

// Move bytes until count or timeoutMs (0: no limit); the count moved, or -1 when the port
// hangs up or fails, including one that reports itself ready and then moves nothing. Waits
// in poll(), so a silent line costs no CPU and a dead one returns at once.
int readWithin(int fd, std::uint8_t* buffer, std::size_t count, unsigned timeoutMs);
int writeWithin(int fd, const std::uint8_t* buffer, std::size_t count, unsigned timeoutMs);

// Like the vendor library, one program at a time, so no two interleave their bytes; false
// with errno EBUSY when another holds it.
bool takeExclusively(int fd);
void releaseExclusive(int fd);

// Sets the driver's low-latency flag; true when it was off and we set it, so that
// restoreLatency puts it back at close.
bool lowerLatency(int fd);
void restoreLatency(int fd);

// The line's settings as they were found, put back before the port is closed, so that the
// port is left as it was found (a terminal program, a getty or a modem daemon may rely on it).
class FoundSettings {
public:
    explicit FoundSettings(int fd) : saved_(::tcgetattr(fd, &settings_) == 0) {}
    void restore(int fd) const {
        if (saved_)
            ::tcsetattr(fd, TCSANOW, &settings_);
    }

private:
    termios settings_{};
    bool saved_;
};

} // namespace qolmex::tty
