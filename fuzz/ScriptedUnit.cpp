#include "ScriptedUnit.h"

#include <algorithm>
#include <cstring>

namespace qolmex::fuzz {
namespace {

// Bytes that do arrive take a little time each, so a run that gets answers still moves on.
constexpr auto byteTime = std::chrono::microseconds(1042); // 10 bits at 9600 baud

} // namespace

ScriptedUnit::ScriptedUnit(VirtualClock& clock, std::span<const std::uint8_t> script)
    : clock_(clock), script_(script) {
    if (!script_.empty()) {
        bridgeFaults_ = script_.front();
        script_ = script_.subspan(1);
    }
}

void ScriptedUnit::recordRead(std::string& script, std::string_view arrived) {
    script += static_cast<char>(arrived.size());
    script += arrived;
}

void ScriptedUnit::recordWrite(std::string& script, bool cableGone) {
    script += static_cast<char>(cableGone ? unplugByte : 0);
}

bool ScriptedUnit::next(std::uint8_t& byte) {
    if (script_.empty())
        return false;
    byte = script_.front();
    script_ = script_.subspan(1);
    return true;
}

FT_STATUS ScriptedUnit::check(FT_HANDLE handle) const {
    if (!open_ || handle != &handleToken_)
        return FT_INVALID_HANDLE;
    return unplugged_ ? FT_IO_ERROR : FT_OK;
}

FT_STATUS ScriptedUnit::FT_OpenEx(PVOID, DWORD, FT_HANDLE* pHandle) {
    if (bridgeFaults_ & noBridge || unplugged_)
        return FT_DEVICE_NOT_FOUND;
    if (open_)
        return FT_DEVICE_NOT_OPENED;
    open_ = true;
    *pHandle = &handleToken_;
    return FT_OK;
}

FT_STATUS ScriptedUnit::FT_Close(FT_HANDLE ftHandle) {
    if (!open_ || ftHandle != &handleToken_)
        return FT_INVALID_HANDLE;
    open_ = false;
    return FT_OK;
}

FT_STATUS ScriptedUnit::FT_ResetDevice(FT_HANDLE ftHandle) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    return bridgeFaults_ & resetFails ? FT_IO_ERROR : FT_OK;
}

FT_STATUS ScriptedUnit::FT_SetBaudRate(FT_HANDLE ftHandle, ULONG) {
    return check(ftHandle);
}

FT_STATUS ScriptedUnit::FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR, UCHAR, UCHAR) {
    return check(ftHandle);
}

FT_STATUS ScriptedUnit::FT_SetFlowControl(FT_HANDLE ftHandle, USHORT, UCHAR, UCHAR) {
    return check(ftHandle);
}

FT_STATUS ScriptedUnit::FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    readTimeoutMs_ = ReadTimeout;
    writeTimeoutMs_ = WriteTimeout;
    return FT_OK;
}

FT_STATUS ScriptedUnit::FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                                LPDWORD lpBytesReturned) {
    *lpBytesReturned = 0;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    std::uint8_t count = 0;
    next(count);
    const std::size_t got = std::min<std::size_t>({count, dwBytesToRead, script_.size()});
    std::memcpy(lpBuffer, script_.data(), got);
    calls_.push_back({false, std::string(reinterpret_cast<const char*>(script_.data()), got)});
    script_ = script_.subspan(got);

    clock_.advance(got * byteTime);
    if (got < dwBytesToRead)
        clock_.advance(std::chrono::milliseconds(readTimeoutMs_));
    *lpBytesReturned = static_cast<DWORD>(got);
    return FT_OK;
}

FT_STATUS ScriptedUnit::FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                                 LPDWORD lpBytesWritten) {
    *lpBytesWritten = 0;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    std::uint8_t answer = 0;
    next(answer);
    if (answer == unplugByte) {
        unplugged_ = true;
        return FT_IO_ERROR;
    }
    const std::size_t sent = answer < 0x80 ? dwBytesToWrite : answer % (dwBytesToWrite + 1);
    calls_.push_back({true, std::string(static_cast<const char*>(lpBuffer), sent)});
    clock_.advance(sent * byteTime);
    if (sent < dwBytesToWrite)
        clock_.advance(std::chrono::milliseconds(writeTimeoutMs_));
    *lpBytesWritten = static_cast<DWORD>(sent);
    return FT_OK;
}

FT_STATUS ScriptedUnit::FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) {
    *dwRxBytes = 0;
    return check(ftHandle);
}

FT_STATUS ScriptedUnit::FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                                         PCHAR SerialNumber, PCHAR Description, LPVOID) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    if (bridgeFaults_ & infoFails)
        return FT_IO_ERROR;
    *lpftDevice = bridgeFaults_ & wrongChip ? FT_DEVICE_BM : FT_DEVICE_232R;
    *lpdwID = 0x04036001;
    if (SerialNumber)
        std::strcpy(SerialNumber, "QX70FUZZ");
    if (Description)
        std::strcpy(Description, "FT232R USB UART");
    return FT_OK;
}

} // namespace qolmex::fuzz
