// A stand-in for the vendor's D2XX library whose one device is the virtual unit, answering
// at once. With it, whole transfers run through the vendor backend, on Windows by the
// library's own name (FTD2XX.dll beside the program). When FAKE_FTD2XX_MEMORY names a
// file, the unit's memory is loaded from it at the first open and kept there at each
// close, so what one program sends, the next one reads.

#include "FakeFtd2xxExport.h"
#include "sim/VirtualUnit.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

using namespace qolmex;

namespace {

const char* memoryFile() {
    const char* name = std::getenv("FAKE_FTD2XX_MEMORY");
    return name != nullptr && *name != '\0' ? name : nullptr;
}

VirtualUnit& unit() {
    static RealClock clock;
    static VirtualUnit instance(clock, UnitFaults{}, UnitPacing{false, Clock::Duration{0}});
    static const bool loaded = [] {
        if (const char* name = memoryFile()) {
            std::ifstream in(name, std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
            instance.preloadMemory(0, bytes.substr(0, VirtualUnit::memorySize));
        }
        return true;
    }();
    (void)loaded;
    return instance;
}

void keepMemory() {
    if (const char* name = memoryFile()) {
        const auto& memory = unit().memory();
        std::ofstream(name, std::ios::binary)
            .write(reinterpret_cast<const char*>(memory.data()),
                   static_cast<std::streamsize>(memory.size()));
    }
}

} // namespace

FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_OpenEx(PVOID arg, DWORD flags, FT_HANDLE* handle) {
    return unit().FT_OpenEx(arg, flags, handle);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_Close(FT_HANDLE h) {
    const FT_STATUS status = unit().FT_Close(h);
    if (status == FT_OK)
        keepMemory();
    return status;
}
// The unit is the one device of the list, while it is attached.
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_CreateDeviceInfoList(LPDWORD count) {
    *count = static_cast<DWORD>(unit().listBridges().size());
    return FT_OK;
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetDeviceInfoDetail(DWORD index, LPDWORD flags,
                                                                 LPDWORD type, LPDWORD id,
                                                                 LPDWORD location, LPVOID serial,
                                                                 LPVOID description,
                                                                 FT_HANDLE* handle) {
    const auto bridges = unit().listBridges();
    if (index >= bridges.size())
        return FT_INVALID_PARAMETER;
    *flags = unit().isOpen() ? 1 : 0;
    *type = FT_DEVICE_232R;
    *id = 0x04036001;
    *location = 0;
    std::strncpy(static_cast<char*>(serial), bridges[index].serialNumber.c_str(), 16);
    std::strncpy(static_cast<char*>(description), bridges[index].description.c_str(), 64);
    *handle = nullptr;
    return FT_OK;
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_ResetDevice(FT_HANDLE h) {
    return unit().FT_ResetDevice(h);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetBaudRate(FT_HANDLE h, ULONG baud) {
    return unit().FT_SetBaudRate(h, baud);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetDataCharacteristics(FT_HANDLE h, UCHAR bits,
                                                                    UCHAR stop, UCHAR parity) {
    return unit().FT_SetDataCharacteristics(h, bits, stop, parity);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetFlowControl(FT_HANDLE h, USHORT flow, UCHAR xon,
                                                            UCHAR xoff) {
    return unit().FT_SetFlowControl(h, flow, xon, xoff);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetTimeouts(FT_HANDLE h, ULONG readMs, ULONG writeMs) {
    return unit().FT_SetTimeouts(h, readMs, writeMs);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_Read(FT_HANDLE h, LPVOID buffer, DWORD count,
                                                  LPDWORD got) {
    return unit().FT_Read(h, buffer, count, got);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_Write(FT_HANDLE h, LPVOID buffer, DWORD count,
                                                   LPDWORD written) {
    return unit().FT_Write(h, buffer, count, written);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetQueueStatus(FT_HANDLE h, DWORD* waiting) {
    return unit().FT_GetQueueStatus(h, waiting);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetDeviceInfo(FT_HANDLE h, FT_DEVICE* type, LPDWORD id,
                                                           PCHAR serial, PCHAR description,
                                                           LPVOID dummy) {
    return unit().FT_GetDeviceInfo(h, type, id, serial, description, dummy);
}
