#pragma once
// tftdichip: one FTDI device behind D2XX. Turns library statuses into
// true/false, the callers' small choices into library constants, and raises
// FtdiChipError for a call that breaks the wrapper's own rules, before any
// library call. Library failures are never raised.
//
// The notification window, registry and handler slots of the original design
// are left out: nothing ever started a notification worker.

#include "usb/D2xxLibrary.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qolmex {

class FtdiChipError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Numbered like the D2XX device-type codes; every other code is Unknown.
enum class FtDeviceType : int {
    BM = 0,
    AM = 1,
    FT100AX = 2,
    Unknown = 3,
    FT2232C = 4,
    FT232R = 5,
};

class tftdichip {
public:
    explicit tftdichip(D2xxLibrary& library);
    virtual ~tftdichip() = default; // does not close: the owner calls closeDevice first
    tftdichip(const tftdichip&) = delete;
    tftdichip& operator=(const tftdichip&) = delete;

    // Opens a temporary handle and closes it at once; touches neither our handle nor our state.
    bool isPresentByDescription(const std::string& description);
    bool openDeviceByDescription(const std::string& description);
    bool isPresentBySerialNumber(const std::string& serialNumber);
    bool openDeviceBySerialNumber(const std::string& serialNumber);
    // The vendor library's place of the bridge on the bus (LocId); other backends know none.
    bool isPresentByLocation(std::uint32_t location);
    bool openDeviceByLocation(std::uint32_t location);
    void closeDevice();
    bool isOpen() const { return open_; }

    bool setBaudRate(int selector);                                // 0..13 -> 300..921600 baud
    bool setDataCharacteristics(int wordLength, int stopBits, int parity); // 0=8 bits/1=7; 0=1/1=2; 0..4
    bool setFlowControl(int flowControl, UCHAR xonChar, UCHAR xoffChar);   // 0 none, 1 RTS/CTS, 2 DTR/DSR, 3 XON/XOFF
    bool setTimeouts(DWORD readTimeoutMs, DWORD writeTimeoutMs);
    bool resetDevice();

    // A read that ends by the time-out still succeeds; judge it by bytesRead.
    bool read(void* buffer, DWORD count, DWORD& bytesRead);
    bool write(const void* buffer, DWORD count, DWORD& bytesWritten);
    bool getQueueStatus(DWORD& receivedBytes);
    // The bridge answered a read, write or queue query with a status that means it is gone
    // (cable pulled, driver unbound); stays set until the wrapper is destroyed.
    bool deviceLost() const { return lost_; }
    // Lowers the bridge's latency timer; false where the library cannot.
    bool setLatencyTimer(UCHAR milliseconds);

    // Outputs are meaningful only when the result is true.
    bool getDeviceInfo(FtDeviceType& deviceType, std::uint16_t& productId, std::uint16_t& vendorId,
                       std::string& serialNumber, std::string& description);

private:
    bool isPresent(PVOID key, DWORD flags);
    bool open(PVOID key, DWORD flags, const char* operation);
    bool lineCall(FT_STATUS status);

    D2xxLibrary& library_;
    FT_HANDLE handle_ = nullptr;
    bool open_ = false;
    bool lost_ = false;
};

} // namespace qolmex
