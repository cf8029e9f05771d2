#pragma once
// A unit that says whatever the fuzzer's bytes say, behind the D2XX interface, on a virtual
// clock. The script starts with one byte of bridge faults, then each call takes its answer
// from the bytes that follow:
//   FT_Read of n bytes:  a count byte c, then min(c, n) bytes that arrive; fewer than n
//                        cost the read time-out, as a line that went quiet would;
//   FT_Write of n bytes: a byte w: below 0x80 all n go out; 0xFF the cable is gone (an
//                        error, nothing written); otherwise only w % (n + 1) go out, after
//                        the write time-out.
// When the script runs out the unit is silent: reads time out empty, writes go out.
// Every call is logged, so a run can be checked against what the unit actually said.

#include "sim/Clock.h"
#include "usb/D2xxLibrary.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qolmex::fuzz {

class ScriptedUnit : public D2xxLibrary {
public:
    struct Call {
        bool isWrite;
        std::string bytes; // what went out, or what came in
    };

    ScriptedUnit(VirtualClock& clock, std::span<const std::uint8_t> script);

    // The script in the form the fuzz targets read it, for a seed corpus.
    static void recordRead(std::string& script, std::string_view arrived);
    static void recordWrite(std::string& script, bool cableGone);

    const std::vector<Call>& calls() const { return calls_; }
    bool isOpen() const { return open_; }

    FT_STATUS FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) override;
    FT_STATUS FT_Close(FT_HANDLE ftHandle) override;
    FT_STATUS FT_ResetDevice(FT_HANDLE ftHandle) override;
    FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) override;
    FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength, UCHAR StopBits,
                                        UCHAR Parity) override;
    FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                UCHAR XoffChar) override;
    FT_STATUS FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) override;
    FT_STATUS FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                      LPDWORD lpBytesReturned) override;
    FT_STATUS FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                       LPDWORD lpBytesWritten) override;
    FT_STATUS FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) override;
    FT_STATUS FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                               PCHAR SerialNumber, PCHAR Description, LPVOID Dummy) override;

    // Bridge faults of the first byte.
    static constexpr std::uint8_t noBridge = 0x01;
    static constexpr std::uint8_t wrongChip = 0x02;
    static constexpr std::uint8_t infoFails = 0x04;
    static constexpr std::uint8_t resetFails = 0x08;
    static constexpr std::uint8_t unplugByte = 0xFF;

private:
    FT_STATUS check(FT_HANDLE handle) const;
    bool next(std::uint8_t& byte);

    VirtualClock& clock_;
    std::span<const std::uint8_t> script_;
    std::uint8_t bridgeFaults_ = 0;
    bool open_ = false;
    bool unplugged_ = false;
    int handleToken_ = 0;
    ULONG readTimeoutMs_ = 0;
    ULONG writeTimeoutMs_ = 0;
    std::vector<Call> calls_;
};

} // namespace qolmex::fuzz
