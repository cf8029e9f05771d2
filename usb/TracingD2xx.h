#pragma once
// Writes down every D2XX call that passes through it, with its bytes and its result, and
// hands the call on unchanged: put in front of the vendor library, the serial driver or the
// virtual unit alike, it changes nothing on the line. One line per call (TraceFormat.h),
// flushed at once, so a trace survives a program that is killed.

#include "usb/D2xxLibrary.h"
#include "usb/TraceFormat.h"

#include <chrono>
#include <functional>
#include <optional>
#include <ostream>

namespace qolmex {

class TracingD2xx : public D2xxLibrary {
public:
    using TimeSource = std::function<std::chrono::nanoseconds()>;
    static std::chrono::nanoseconds steadyNow();

    // Both must outlive the tracer; the time source says when each call returned.
    TracingD2xx(D2xxLibrary& inner, std::ostream& out, TimeSource now = steadyNow);

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
    FT_STATUS FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR Timer) override;
    std::vector<BridgeEntry> listBridges() override { return inner_.listBridges(); }
    std::string lastOpenFailure() const override { return inner_.lastOpenFailure(); }
    void noteVerdict(const std::string& verdict) override;

private:
    FT_STATUS call(const char* name, std::string arguments, FT_STATUS status);
    void write(trace::Event event);

    D2xxLibrary& inner_;
    std::ostream& out_;
    TimeSource now_;
    std::optional<std::chrono::nanoseconds> origin_; // the first FT_OpenEx
};

} // namespace qolmex
