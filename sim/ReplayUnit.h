#pragma once
// The unit's side of a trace, played back behind the D2XX interface: a program that talks to
// it gets what the traced unit answered, in the trace's timing, and every place where the
// program's bytes, calls or verdicts differ from the trace's is written down. A trace from
// the field thus becomes a test case.
//
// An answer that echoed the PC's bytes echoes the program's, and the clock block's time of
// day is not compared, so a program that sends other data still meets a unit that behaves
// as the traced one did; the first byte that differs in each connection is reported.

#include "sim/ArrivingBytes.h"
#include "sim/Clock.h"
#include "sim/ReplayScript.h"
#include "usb/D2xxLibrary.h"

#include <optional>
#include <string>
#include <vector>

namespace qolmex {

class ReplayUnit : public D2xxLibrary {
public:
    struct Difference {
        std::size_t line; // of the trace
        std::string text; // Slovak
    };

    ReplayUnit(Clock& clock, std::vector<trace::Event> events);

    const std::vector<Difference>& differences() const { return differences_; }
    // What the trace still holds that the program never came to; once the program is done.
    void finish();

    // The traced bridge, without its serial number when the trace opened it by description,
    // so that a program picking from the list opens it as the traced one did.
    std::vector<BridgeEntry> listBridges() override;

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
    void noteVerdict(const std::string& verdict) override;

private:
    // The trace's next call of that name in this connection, its arguments compared.
    const trace::Event* matchCall(const char* name, const std::string& arguments);
    FT_STATUS setting(FT_HANDLE handle, const char* name, const std::string& arguments);
    FT_STATUS check(FT_HANDLE handle);
    void release();
    void compareSent(std::size_t from);
    void differ(std::size_t line, std::string text);

    Clock& clock_;
    replay::Script script_;
    std::vector<Difference> differences_;
    std::size_t nextOpen_ = 0;
    std::size_t nextVerdict_ = 0;
    bool finished_ = false;

    // The connection being played.
    replay::Connection* connection_ = nullptr;
    int handleToken_ = 0;
    std::string sent_;
    std::size_t nextAnswer_ = 0;
    bool differed_ = false;
    ArrivingBytes toPc_;
    ULONG readTimeoutMs_ = 0;
    std::optional<Clock::TimePoint> failsAt_;
    FT_STATUS failure_ = FT_OK;
};

} // namespace qolmex
