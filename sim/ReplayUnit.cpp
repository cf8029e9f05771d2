#include "sim/ReplayUnit.h"

#include "usb/D2xxText.h"

#include <algorithm>
#include <cstdio>

namespace qolmex {
namespace {

using trace::Event;

std::string hexByte(char c) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(static_cast<std::uint8_t>(c)));
    return text;
}

} // namespace

ReplayUnit::ReplayUnit(Clock& clock, std::vector<trace::Event> events)
    : clock_(clock), script_(replay::compile(std::move(events))) {}

void ReplayUnit::differ(std::size_t line, std::string text) {
    differences_.push_back(
        {line, (line > 0 ? "riadok " + std::to_string(line) + ": " : "") + std::move(text)});
}

std::vector<BridgeEntry> ReplayUnit::listBridges() {
    const Event* info = nullptr;
    const Event* open = nullptr;
    for (const Event& e : script_.events) {
        if (!open && e.kind == Event::Kind::Open && e.status == FT_OK)
            open = &e;
        if (!info && e.kind == Event::Kind::DeviceInfo && e.status == FT_OK)
            info = &e;
    }
    if (!info)
        return {};
    const bool bySerial = open && open->arguments.rfind("serial ", 0) == 0;
    return {BridgeEntry{
        info->description, bySerial ? info->serialNumber : std::string(), "záznam", true, {}}};
}

FT_STATUS ReplayUnit::FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) {
    const std::string arguments = trace::openArguments(pArg1, Flags);
    if (nextOpen_ >= script_.opens.size()) {
        differ(0, "program otvára prevodník (" + arguments + "), záznam už ďalšie otvorenie nemá");
        return FT_DEVICE_NOT_FOUND;
    }
    const replay::Open& open = script_.opens[nextOpen_++];
    if (open.event->arguments != arguments)
        differ(open.event->line,
               "program otvára " + arguments + ", záznam " + open.event->arguments);
    if (open.event->status != FT_OK)
        return open.event->status;
    if (connection_ != nullptr)
        return FT_DEVICE_NOT_OPENED; // one user at a time, as with the real driver

    connection_ = &script_.connections[static_cast<std::size_t>(open.connection)];
    sent_.clear();
    nextAnswer_ = 0;
    differed_ = false;
    toPc_.clear();
    readTimeoutMs_ = 0;
    failsAt_.reset();
    failure_ = FT_OK;
    release();
    *pHandle = &handleToken_;
    return FT_OK;
}

FT_STATUS ReplayUnit::FT_Close(FT_HANDLE ftHandle) {
    if (connection_ == nullptr || ftHandle != &handleToken_)
        return FT_INVALID_HANDLE;
    if (!differed_ && sent_.size() < connection_->sent.size())
        differ(connection_->lineOfByte(sent_.size()), "program zatvoril prevodník po " +
                                                          std::to_string(sent_.size()) +
                                                          " odoslaných bajtoch, záznam ich má " +
                                                          std::to_string(connection_->sent.size()));
    const FT_STATUS status = connection_->closeStatus;
    connection_ = nullptr;
    toPc_.clear();
    return status;
}

// The unit's answers whose moment has come: each when the program has written as many bytes
// as the PC had before it, that long after. A failure that came with a write waits for it.
void ReplayUnit::release() {
    const Clock::TimePoint now = clock_.now();
    for (; nextAnswer_ < connection_->answers.size(); ++nextAnswer_) {
        const replay::Answer& answer = connection_->answers[nextAnswer_];
        if (answer.after > sent_.size() || answer.atWrite)
            return;
        if (answer.failure != FT_OK) {
            failsAt_ = now + answer.delay;
            failure_ = answer.failure;
            continue;
        }
        const std::size_t n = answer.bytes.size();
        const bool echo =
            answer.after >= n && connection_->sent.compare(answer.after - n, n, answer.bytes) == 0;
        toPc_.push(echo ? std::string_view(sent_).substr(answer.after - n, n) : answer.bytes,
                   now + answer.delay);
    }
}

FT_STATUS ReplayUnit::check(FT_HANDLE handle) {
    if (connection_ == nullptr || handle != &handleToken_)
        return FT_INVALID_HANDLE;
    if (failsAt_ && clock_.now() >= *failsAt_)
        return failure_;
    return FT_OK;
}

void ReplayUnit::compareSent(std::size_t from) {
    const std::string& expected = connection_->sent;
    for (std::size_t i = from; i < sent_.size() && !differed_; ++i) {
        if (i >= expected.size()) {
            differed_ = true;
            differ(connection_->lineOfByte(expected.size()),
                   "program poslal viac bajtov ako záznam (" + std::to_string(i + 1) +
                       ". bajt od otvorenia)");
        } else if (sent_[i] != expected[i] && !connection_->isTimeOfDay(i)) {
            differed_ = true;
            differ(connection_->lineOfByte(i), "program poslal " + hexByte(sent_[i]) +
                                                   ", záznam má " + hexByte(expected[i]) + " (" +
                                                   std::to_string(i + 1) + ". bajt od otvorenia)");
        }
    }
}

FT_STATUS ReplayUnit::FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                               LPDWORD lpBytesWritten) {
    *lpBytesWritten = 0;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    if (nextAnswer_ < connection_->answers.size()) {
        const replay::Answer& next = connection_->answers[nextAnswer_];
        if (next.atWrite && next.after <= sent_.size()) {
            ++nextAnswer_;
            failsAt_ = clock_.now();
            failure_ = next.failure;
            return failure_;
        }
    }
    const std::size_t from = sent_.size();
    sent_.append(static_cast<const char*>(lpBuffer), dwBytesToWrite);
    compareSent(from);
    release();
    *lpBytesWritten = dwBytesToWrite;
    return FT_OK;
}

FT_STATUS ReplayUnit::FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                              LPDWORD lpBytesReturned) {
    *lpBytesReturned = 0;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    // A line that fails while the read waits ends the read then.
    ULONG timeoutMs = readTimeoutMs_;
    if (failsAt_) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(*failsAt_ - clock_.now());
        const auto leftMs = static_cast<ULONG>(std::max<long long>(1, left.count()));
        timeoutMs = timeoutMs == 0 ? leftMs : std::min(timeoutMs, leftMs);
    }
    *lpBytesReturned = static_cast<DWORD>(
        toPc_.read(clock_, static_cast<std::uint8_t*>(lpBuffer), dwBytesToRead, timeoutMs));
    if (*lpBytesReturned < dwBytesToRead && failsAt_ && clock_.now() >= *failsAt_)
        return failure_;
    return FT_OK;
}

FT_STATUS ReplayUnit::FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) {
    *dwRxBytes = 0;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    *dwRxBytes = static_cast<DWORD>(toPc_.arrivedBy(clock_.now()));
    return FT_OK;
}

const Event* ReplayUnit::matchCall(const char* name, const std::string& arguments) {
    for (replay::Call& c : connection_->calls) {
        if (c.used || c.event->call != name)
            continue;
        c.used = true;
        if (c.event->arguments != arguments)
            differ(c.event->line, std::string("program volá ") + name + " " + arguments +
                                      ", záznam má " + c.event->arguments);
        return c.event;
    }
    differ(connection_->openLine,
           std::string("program volá ") + name + ", ktoré záznam v tomto spojení nemá");
    return nullptr;
}

FT_STATUS ReplayUnit::setting(FT_HANDLE handle, const char* name, const std::string& arguments) {
    if (FT_STATUS status = check(handle); status != FT_OK)
        return status;
    const Event* traced = matchCall(name, arguments);
    return traced ? traced->status : FT_OK;
}

FT_STATUS ReplayUnit::FT_ResetDevice(FT_HANDLE ftHandle) {
    return setting(ftHandle, "FT_ResetDevice", {});
}

FT_STATUS ReplayUnit::FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
    return setting(ftHandle, "FT_SetBaudRate", std::to_string(BaudRate));
}

FT_STATUS ReplayUnit::FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength,
                                                UCHAR StopBits, UCHAR Parity) {
    return setting(ftHandle, "FT_SetDataCharacteristics",
                   trace::dataCharacteristicsArguments(WordLength, StopBits, Parity));
}

FT_STATUS ReplayUnit::FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                        UCHAR XoffChar) {
    return setting(ftHandle, "FT_SetFlowControl",
                   trace::flowControlArguments(FlowControl, XonChar, XoffChar));
}

// The program's own time-outs rule its reads, as they would on the line.
FT_STATUS ReplayUnit::FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) {
    const FT_STATUS status =
        setting(ftHandle, "FT_SetTimeouts", trace::timeoutsArguments(ReadTimeout, WriteTimeout));
    if (status == FT_OK)
        readTimeoutMs_ = ReadTimeout;
    return status;
}

FT_STATUS ReplayUnit::FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR Timer) {
    return setting(ftHandle, "FT_SetLatencyTimer", std::to_string(Timer));
}

FT_STATUS ReplayUnit::FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                                       PCHAR SerialNumber, PCHAR Description, LPVOID) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    const Event* traced = matchCall("FT_GetDeviceInfo", {});
    if (traced == nullptr)
        return FT_OTHER_ERROR;
    if (traced->status == FT_OK) {
        *lpftDevice = traced->type;
        *lpdwID = traced->id;
        copyD2xxText(SerialNumber, traced->serialNumber, 16);
        copyD2xxText(Description, traced->description, 64);
    }
    return traced->status;
}

void ReplayUnit::noteVerdict(const std::string& verdict) {
    const std::string mine = trace::singleLine(verdict);
    if (nextVerdict_ >= script_.verdicts.size()) {
        differ(0, "program skončil „" + mine + "“, záznam už ďalší výsledok nemá");
        return;
    }
    const Event& traced = *script_.verdicts[nextVerdict_++];
    if (traced.verdict != mine)
        differ(traced.line, "program skončil „" + mine + "“, záznam „" + traced.verdict + "“");
}

void ReplayUnit::finish() {
    if (finished_)
        return;
    finished_ = true;
    if (nextOpen_ < script_.opens.size())
        differ(script_.opens[nextOpen_].event->line,
               "záznam pokračuje ďalším otvorením prevodníka, program už skončil");
    else if (nextVerdict_ < script_.verdicts.size())
        differ(script_.verdicts[nextVerdict_]->line, "záznam má ešte výsledok „" +
                                                         script_.verdicts[nextVerdict_]->verdict +
                                                         "“, program už skončil");
}

} // namespace qolmex
