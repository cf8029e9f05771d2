#pragma once
// A pseudo-terminal pair for the serial backend's tests: the program opens the slave by its
// path through libserialport and the kernel's line discipline, the test (or the virtual
// unit, on a thread of its own) works the master side.

#include "sim/VirtualUnit.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

namespace qolmex {

class PtyPair {
public:
    PtyPair() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0)
            slavePath_ = ::ptsname(master_);
    }
    ~PtyPair() { closeMaster(); }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0 && !slavePath_.empty(); }
    const std::string& slavePath() const { return slavePath_; }
    int master() const { return master_; }
    // The far side goes away: the slave hangs up.
    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }
    // True while nobody holds the slave open.
    bool slaveClosed() const {
        pollfd p{master_, POLLIN, 0};
        return ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0;
    }
    void send(const std::vector<std::uint8_t>& bytes) {
        [[maybe_unused]] const ssize_t n = ::write(master_, bytes.data(), bytes.size());
    }
    // What arrives within the time, up to count bytes.
    std::vector<std::uint8_t> receive(std::size_t count, std::chrono::milliseconds within) {
        std::vector<std::uint8_t> got;
        const auto deadline = std::chrono::steady_clock::now() + within;
        while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0 || (p.revents & POLLIN) == 0)
                continue;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }

private:
    int master_ = -1;
    std::string slavePath_;
};

// The virtual unit on the master side, paced at its baud rate in real time. The line comes
// up when the program opens the slave and has made it a raw line (the identity sent into a
// line still in its cooked start-up mode would be echoed back), and goes down when the
// program has closed it. Opens and closes are counted from the kernel's own notifications,
// so a close followed at once by the next open (a Send's read-back) is never missed.
class PtyUnitServer {
public:
    PtyUnitServer(PtyPair& pty, UnitFaults faults = {},
                  UnitPacing pacing = UnitPacing{.atBaudRate = true})
        : pty_(pty), unit_(clock_, faults, pacing),
          watch_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (watch_ >= 0)
            ::inotify_add_watch(watch_, pty_.slavePath().c_str(), IN_OPEN | IN_CLOSE);
        thread_ = std::thread([this] { serve(); });
    }
    ~PtyUnitServer() {
        stop();
        if (watch_ >= 0)
            ::close(watch_);
    }
    PtyUnitServer(const PtyUnitServer&) = delete;
    PtyUnitServer& operator=(const PtyUnitServer&) = delete;

    // Stops serving; the unit may then be looked at.
    void stop() {
        running_ = false;
        if (thread_.joinable())
            thread_.join();
    }
    // Ends the serving thread after this many bytes came from the programmer, then closes
    // the master side, as a cable pulled in the middle of a transfer. 0: never.
    void hangUpAfter(std::size_t bytesFromProgrammer) { hangUpAfter_ = bytesFromProgrammer; }
    std::chrono::steady_clock::time_point hungUpAt() const {
        return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(hungUpAt_));
    }
    // Another unit attached at the far end while the program holds the line open: it says
    // who it is, as a unit does when it is plugged in.
    void plugNextUnit() { plugNext_ = true; }
    // How many times the program has opened the line so far.
    int sessions() const { return sessions_; }
    // Only once stopped.
    const VirtualUnit& unit() const { return unit_; }
    VirtualUnit& unit() { return unit_; }

private:
    // Applies the opens and closes of the slave that happened since the last look, in order.
    // A close and the next open between two looks end one session and start the next.
    void followOpens(FT_HANDLE& handle) {
        alignas(inotify_event) char events[4096];
        for (;;) {
            const ssize_t n = ::read(watch_, events, sizeof events);
            if (n <= 0)
                return;
            for (char* at = events; at < events + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->mask & IN_OPEN) {
                    ++opens_;
                } else if (event->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) {
                    if (opens_ > 0 && --opens_ == 0 && handle != nullptr) {
                        unit_.FT_Close(handle);
                        handle = nullptr;
                    }
                }
                at += sizeof(inotify_event) + event->len;
            }
        }
    }
    // The master sees the slave's line settings: raw once the program has set its line up.
    bool slaveIsRaw() const {
        termios t{};
        return ::tcgetattr(pty_.master(), &t) == 0 && (t.c_lflag & (ICANON | ECHO)) == 0;
    }

    void serve() {
        FT_HANDLE handle = nullptr;
        char description[] = "FT232R USB UART";
        std::size_t received = 0;
        while (running_) {
            followOpens(handle);
            if (handle == nullptr && opens_ > 0 && slaveIsRaw() &&
                unit_.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle) == FT_OK)
                ++sessions_;
            if (plugNext_.exchange(false) && handle != nullptr) {
                unit_.FT_Close(handle); // a fresh unit on the same line sends its identity
                unit_.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle);
            }
            pollfd p{pty_.master(), POLLIN, 0};
            if (::poll(&p, 1, 1) > 0 && (p.revents & POLLIN) != 0 && handle != nullptr) {
                std::uint8_t buffer[64];
                const ssize_t n = ::read(pty_.master(), buffer, sizeof buffer);
                DWORD written = 0;
                if (n > 0) {
                    unit_.FT_Write(handle, buffer, static_cast<DWORD>(n), &written);
                    received += static_cast<std::size_t>(n);
                }
                if (hangUpAfter_ != 0 && received >= hangUpAfter_) {
                    pty_.closeMaster();
                    hungUpAt_ = std::chrono::steady_clock::now().time_since_epoch().count();
                    break;
                }
            } else if (handle == nullptr) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            DWORD ready = 0;
            if (handle != nullptr && unit_.FT_GetQueueStatus(handle, &ready) == FT_OK &&
                ready > 0) {
                std::vector<std::uint8_t> bytes(ready);
                DWORD got = 0;
                unit_.FT_Read(handle, bytes.data(), ready, &got);
                bytes.resize(got);
                pty_.send(bytes);
            }
        }
        if (handle != nullptr)
            unit_.FT_Close(handle);
    }

    PtyPair& pty_;
    RealClock clock_;
    VirtualUnit unit_;
    std::atomic<bool> running_{true};
    std::atomic<std::size_t> hangUpAfter_{0};
    std::atomic<std::chrono::steady_clock::rep> hungUpAt_{0};
    std::atomic<bool> plugNext_{false};
    std::atomic<int> sessions_{0};
    int watch_;
    int opens_ = 0; // the slave's open descriptions, from the kernel's notifications
    std::thread thread_;
};

} // namespace qolmex
