// A stand-in for the vendor's D2XX library whose one device is the virtual unit, answering
// at once. With it, whole transfers run through the vendor backend, on Windows by the
// library's own name (FTD2XX.dll beside the program). When FAKE_FTD2XX_MEMORY names a
// file, the unit's memory is loaded from it at each open and kept there at each close, so
// what one program sends, the next one reads. FAKE_FTD2XX_PACED=1 makes the unit
// answer at the pace of the 9600-baud line behind a bridge, from the first open on;
// FAKE_FTD2XX_FAULT, read at each open, makes it absent ("noDevice"), mute ("silence") or
// deaf to the start bytes ("noStartAnswer").

#include "FakeFtd2xxExport.h"
#include "sim/VirtualUnit.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

using namespace qolmex;

namespace {

const char* setting(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

const char* memoryFile() {
    return setting("FAKE_FTD2XX_MEMORY");
}

UnitPacing pacing() {
    const char* paced = setting("FAKE_FTD2XX_PACED");
    if (paced != nullptr && std::strcmp(paced, "1") == 0)
        return UnitPacing{.atBaudRate = true};
    return UnitPacing{false, Clock::Duration{0}};
}

UnitFaults faults() {
    const std::string fault = setting("FAKE_FTD2XX_FAULT") ? setting("FAKE_FTD2XX_FAULT") : "";
    return UnitFaults{.noDevice = fault == "noDevice",
                      .silence = fault == "silence",
                      .noStartAnswer = fault == "noStartAnswer"};
}

VirtualUnit& unit() {
    static RealClock clock;
    static VirtualUnit instance(clock, UnitFaults{}, pacing());
    return instance;
}

// At each open, so that a test may put a memory in place between two transfers.
void loadMemory() {
    if (const char* name = memoryFile()) {
        std::ifstream in(name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        unit().preloadMemory(0, bytes.substr(0, VirtualUnit::memorySize));
    }
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
    unit().setFaults(faults());
    if (!unit().isOpen())
        loadMemory();
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
    unit().setFaults(faults());
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
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetLatencyTimer(FT_HANDLE h, UCHAR milliseconds) {
    return unit().FT_SetLatencyTimer(h, milliseconds);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetQueueStatus(FT_HANDLE h, DWORD* waiting) {
    return unit().FT_GetQueueStatus(h, waiting);
}
FAKE_D2XX_EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetDeviceInfo(FT_HANDLE h, FT_DEVICE* type, LPDWORD id,
                                                           PCHAR serial, PCHAR description,
                                                           LPVOID dummy) {
    return unit().FT_GetDeviceInfo(h, type, id, serial, description, dummy);
}
