#include "usb/TracingD2xx.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

namespace qolmex {

using trace::Event;

std::chrono::nanoseconds TracingD2xx::steadyNow() {
    return std::chrono::steady_clock::now().time_since_epoch();
}

TracingD2xx::TracingD2xx(D2xxLibrary& inner, std::ostream& out, TimeSource now)
    : inner_(inner), out_(out), now_(std::move(now)) {
    out_ << trace::header << std::flush;
}

void TracingD2xx::write(Event event) {
    const auto now = now_();
    if (!origin_)
        origin_ = now;
    event.ms = std::chrono::duration<double, std::milli>(now - *origin_).count();
    out_ << trace::formatLine(event) << std::flush;
}

FT_STATUS TracingD2xx::call(const char* name, std::string arguments, FT_STATUS status) {
    Event event;
    event.call = name;
    event.arguments = std::move(arguments);
    event.status = status;
    write(std::move(event));
    return status;
}

FT_STATUS TracingD2xx::FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) {
    if (!origin_)
        origin_ = now_();
    const FT_STATUS status = inner_.FT_OpenEx(pArg1, Flags, pHandle);
    Event event;
    event.kind = Event::Kind::Open;
    event.call = "FT_OpenEx";
    event.arguments = trace::openArguments(pArg1, Flags);
    event.status = status;
    write(std::move(event));
    // Why it failed, as the user was told, so support reads the same words.
    if (const std::string why = status == FT_OK ? "" : inner_.lastOpenFailure(); !why.empty()) {
        std::size_t start = 0;
        for (std::size_t end; (end = why.find('\n', start)) != std::string::npos; start = end + 1)
            out_ << "# " << why.substr(start, end - start) << "\n";
        out_ << "# " << why.substr(start) << "\n" << std::flush;
    }
    return status;
}

FT_STATUS TracingD2xx::FT_Close(FT_HANDLE ftHandle) {
    const FT_STATUS status = inner_.FT_Close(ftHandle);
    Event event;
    event.kind = Event::Kind::Close;
    event.call = "FT_Close";
    event.status = status;
    write(std::move(event));
    return status;
}

FT_STATUS TracingD2xx::FT_ResetDevice(FT_HANDLE ftHandle) {
    return call("FT_ResetDevice", {}, inner_.FT_ResetDevice(ftHandle));
}

FT_STATUS TracingD2xx::FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
    return call("FT_SetBaudRate", std::to_string(BaudRate),
                inner_.FT_SetBaudRate(ftHandle, BaudRate));
}

FT_STATUS TracingD2xx::FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength,
                                                 UCHAR StopBits, UCHAR Parity) {
    return call("FT_SetDataCharacteristics",
                trace::dataCharacteristicsArguments(WordLength, StopBits, Parity),
                inner_.FT_SetDataCharacteristics(ftHandle, WordLength, StopBits, Parity));
}

FT_STATUS TracingD2xx::FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                         UCHAR XoffChar) {
    return call("FT_SetFlowControl", trace::flowControlArguments(FlowControl, XonChar, XoffChar),
                inner_.FT_SetFlowControl(ftHandle, FlowControl, XonChar, XoffChar));
}

FT_STATUS TracingD2xx::FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) {
    return call("FT_SetTimeouts", trace::timeoutsArguments(ReadTimeout, WriteTimeout),
                inner_.FT_SetTimeouts(ftHandle, ReadTimeout, WriteTimeout));
}

FT_STATUS TracingD2xx::FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR Timer) {
    return call("FT_SetLatencyTimer", std::to_string(Timer),
                inner_.FT_SetLatencyTimer(ftHandle, Timer));
}

FT_STATUS TracingD2xx::FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                               LPDWORD lpBytesReturned) {
    *lpBytesReturned = 0; // a library that fails may leave it as it was
    const FT_STATUS status = inner_.FT_Read(ftHandle, lpBuffer, dwBytesToRead, lpBytesReturned);
    Event event;
    event.kind = Event::Kind::Read;
    event.status = status;
    event.wanted = dwBytesToRead;
    event.done = std::min(*lpBytesReturned, dwBytesToRead);
    event.bytes.assign(static_cast<const char*>(lpBuffer), event.done);
    write(std::move(event));
    return status;
}

FT_STATUS TracingD2xx::FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                                LPDWORD lpBytesWritten) {
    // Taken before the call: what the program asked to send, whatever the library does.
    Event event;
    event.kind = Event::Kind::Write;
    event.wanted = dwBytesToWrite;
    event.bytes.assign(static_cast<const char*>(lpBuffer), dwBytesToWrite);
    *lpBytesWritten = 0;
    event.status = inner_.FT_Write(ftHandle, lpBuffer, dwBytesToWrite, lpBytesWritten);
    event.done = std::min(*lpBytesWritten, dwBytesToWrite);
    const FT_STATUS status = event.status;
    write(std::move(event));
    return status;
}

FT_STATUS TracingD2xx::FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) {
    *dwRxBytes = 0;
    const FT_STATUS status = inner_.FT_GetQueueStatus(ftHandle, dwRxBytes);
    Event event;
    event.kind = Event::Kind::QueueStatus;
    event.call = "FT_GetQueueStatus";
    event.status = status;
    event.done = *dwRxBytes;
    write(std::move(event));
    return status;
}

FT_STATUS TracingD2xx::FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                                        PCHAR SerialNumber, PCHAR Description, LPVOID Dummy) {
    const FT_STATUS status =
        inner_.FT_GetDeviceInfo(ftHandle, lpftDevice, lpdwID, SerialNumber, Description, Dummy);
    Event event;
    event.kind = Event::Kind::DeviceInfo;
    event.call = "FT_GetDeviceInfo";
    event.status = status;
    if (status == FT_OK) {
        event.type = *lpftDevice;
        event.id = *lpdwID;
        // The library fills at most 16 and 64 characters and their terminating zero.
        if (SerialNumber != nullptr)
            event.serialNumber.assign(SerialNumber, ::strnlen(SerialNumber, 17));
        if (Description != nullptr)
            event.description.assign(Description, ::strnlen(Description, 65));
    }
    write(std::move(event));
    return status;
}

void TracingD2xx::noteVerdict(const std::string& verdict) {
    Event event;
    event.kind = Event::Kind::Verdict;
    event.verdict = verdict;
    write(std::move(event));
    inner_.noteVerdict(verdict);
}

} // namespace qolmex
