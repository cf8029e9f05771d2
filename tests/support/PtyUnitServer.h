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

// The virtual unit on the master side, paced at its baud rate in real time. It sees the
// slave's open as the line coming up (and sends its identity then) and its close as the
// line going down.
class PtyUnitServer {
public:
    PtyUnitServer(PtyPair& pty, UnitFaults faults = {})
        : pty_(pty), unit_(clock_, faults, UnitPacing{.atBaudRate = true}),
          thread_([this] { serve(); }) {}
    ~PtyUnitServer() { stop(); }
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
    const VirtualUnit& unit() const { return unit_; }
    VirtualUnit& unit() { return unit_; }

private:
    void serve() {
        FT_HANDLE handle = nullptr;
        char description[] = "FT232R USB UART";
        std::size_t received = 0;
        while (running_) {
            const bool up = !pty_.slaveClosed();
            if (up && handle == nullptr) {
                // Give the program a moment to set its line up before the identity comes.
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                unit_.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle);
            } else if (!up) {
                if (handle != nullptr)
                    unit_.FT_Close(handle);
                handle = nullptr;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
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
    std::thread thread_;
};

} // namespace qolmex
