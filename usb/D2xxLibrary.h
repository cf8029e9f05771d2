#pragma once
// The eleven functions of FTDI's D2XX library that the device wrapper uses, as
// one interface, so the vendor library, the serial driver and the virtual unit
// can stand behind tftdichip alike. Types and codes are D2XX's own, declared
// here so that no vendor header is needed to build.

#include "usb/BridgeEntry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qolmex {

using DWORD = std::uint32_t;
using ULONG = std::uint32_t;
using UCHAR = std::uint8_t;
using USHORT = std::uint16_t;
using FT_STATUS = ULONG;
using FT_HANDLE = void*;
using FT_DEVICE = ULONG;
using PVOID = void*;
using LPVOID = void*;
using LPDWORD = DWORD*;
using PCHAR = char*;

// Status codes (only FT_OK means success; the others are what our backends report).
inline constexpr FT_STATUS FT_OK = 0;
inline constexpr FT_STATUS FT_INVALID_HANDLE = 1;
inline constexpr FT_STATUS FT_DEVICE_NOT_FOUND = 2;
inline constexpr FT_STATUS FT_DEVICE_NOT_OPENED = 3;
inline constexpr FT_STATUS FT_IO_ERROR = 4;
inline constexpr FT_STATUS FT_INSUFFICIENT_RESOURCES = 5;
inline constexpr FT_STATUS FT_INVALID_PARAMETER = 6;
inline constexpr FT_STATUS FT_INVALID_BAUD_RATE = 7;
inline constexpr FT_STATUS FT_NOT_SUPPORTED = 17;
inline constexpr FT_STATUS FT_OTHER_ERROR = 18;

// FT_OpenEx flags.
inline constexpr DWORD FT_OPEN_BY_SERIAL_NUMBER = 1;
inline constexpr DWORD FT_OPEN_BY_DESCRIPTION = 2;
inline constexpr DWORD FT_OPEN_BY_LOCATION = 4; // pArg1 carries the LocId itself, not a text

// Device-type codes of FT_GetDeviceInfo.
inline constexpr FT_DEVICE FT_DEVICE_BM = 0;
inline constexpr FT_DEVICE FT_DEVICE_AM = 1;
inline constexpr FT_DEVICE FT_DEVICE_100AX = 2;
inline constexpr FT_DEVICE FT_DEVICE_UNKNOWN = 3;
inline constexpr FT_DEVICE FT_DEVICE_2232C = 4;
inline constexpr FT_DEVICE FT_DEVICE_232R = 5;
inline constexpr FT_DEVICE FT_DEVICE_2232H = 6;
inline constexpr FT_DEVICE FT_DEVICE_4232H = 7;
inline constexpr FT_DEVICE FT_DEVICE_232H = 8;
inline constexpr FT_DEVICE FT_DEVICE_X_SERIES = 9;

// Line settings.
inline constexpr UCHAR FT_BITS_8 = 8;
inline constexpr UCHAR FT_BITS_7 = 7;
inline constexpr UCHAR FT_STOP_BITS_1 = 0;
inline constexpr UCHAR FT_STOP_BITS_2 = 2;
inline constexpr UCHAR FT_PARITY_NONE = 0;
inline constexpr UCHAR FT_PARITY_ODD = 1;
inline constexpr UCHAR FT_PARITY_EVEN = 2;
inline constexpr UCHAR FT_PARITY_MARK = 3;
inline constexpr UCHAR FT_PARITY_SPACE = 4;
inline constexpr USHORT FT_FLOW_NONE = 0x0000;
inline constexpr USHORT FT_FLOW_RTS_CTS = 0x0100;
inline constexpr USHORT FT_FLOW_DTR_DSR = 0x0200;
inline constexpr USHORT FT_FLOW_XON_XOFF = 0x0400;

// What the wrapper relies on: FT_Read returns when the count has
// arrived or the read time-out has passed, reporting the bytes it stored;
// FT_Write likewise with the write time-out. A time-out of 0 means no limit.
class D2xxLibrary {
public:
    virtual ~D2xxLibrary() = default;

    virtual FT_STATUS FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) = 0;
    virtual FT_STATUS FT_Close(FT_HANDLE ftHandle) = 0;
    virtual FT_STATUS FT_ResetDevice(FT_HANDLE ftHandle) = 0;
    virtual FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) = 0;
    virtual FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength,
                                                UCHAR StopBits, UCHAR Parity) = 0;
    virtual FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                        UCHAR XoffChar) = 0;
    virtual FT_STATUS FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout,
                                     ULONG WriteTimeout) = 0;
    virtual FT_STATUS FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                              LPDWORD lpBytesReturned) = 0;
    virtual FT_STATUS FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                               LPDWORD lpBytesWritten) = 0;
    virtual FT_STATUS FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) = 0;
    virtual FT_STATUS FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                                       PCHAR SerialNumber, PCHAR Description,
                                       LPVOID Dummy) = 0;

    // Optional in the vendor library (older ones lack it): the bridge's latency timer, 16 ms
    // after power-up, which holds back every short reply by that much.
    virtual FT_STATUS FT_SetLatencyTimer(FT_HANDLE, UCHAR) { return FT_NOT_SUPPORTED; }

    // Beyond D2XX, where a backend knows more than a status code can say. Every bridge this
    // backend reaches, for the device list:
    virtual std::vector<BridgeEntry> listBridges() { return {}; }
    // whether that last list may lack bridges, because the system could not be asked;
    virtual bool listingFailed() const { return false; }
    // and why the last FT_OpenEx failed, a Slovak sentence for the user (empty: cannot tell).
    virtual std::string lastOpenFailure() const { return {}; }
    // The program's verdict on the transfer that just ended ("ok" or its message), for a trace
    // or a replay; everything else ignores it.
    virtual void noteVerdict(const std::string& /*verdict*/) {}
};

} // namespace qolmex
