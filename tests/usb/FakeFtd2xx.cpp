// A stand-in for the vendor's D2XX library, exporting the same C functions.
// Each setter accepts exactly the values the test passes, so a wrong argument
// on the way through shows up as a failing status. Built without
// FT_GetDeviceInfo (FAKE_FTD2XX_INCOMPLETE) it is a library the backend must refuse; built
// without its optional functions (FAKE_FTD2XX_BASIC) an older library that must still work.
// Two bridges are attached: ours, and one the kernel's serial driver holds ("FAKEHELD"). Where
// FAKE_FTD2XX_HIDDEN names a device type, a third one is held elsewhere too, of that type,
// and shows no strings, as the library lists a device another driver holds.

#include "FakeFtd2xxExport.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

using FT_STATUS = std::uint32_t;
using FT_HANDLE = void*;

namespace {
int device = 0; // the one device; its address is the handle
const char identity[] = "QOLMEX70";

// The type of the third device, or -1 without one. (A DLL on Windows has a C library of its
// own, so the process's environment is asked, where the test sets it.)
[[maybe_unused]] long hiddenType() {
#ifdef _WIN32
    char text[16] = {};
    if (GetEnvironmentVariableA("FAKE_FTD2XX_HIDDEN", text, sizeof text) == 0)
        return -1;
#else
    const char* text = std::getenv("FAKE_FTD2XX_HIDDEN");
    if (text == nullptr)
        return -1;
#endif
    return std::strtol(text, nullptr, 10);
}
} // namespace

#define EXPORT FAKE_D2XX_EXPORT

EXPORT FT_STATUS FAKE_D2XX_CALL FT_OpenEx(void* arg, std::uint32_t flags, FT_HANDLE* handle) {
    if (flags == 4) { // by location: the value itself
        if (reinterpret_cast<std::uintptr_t>(arg) != 0x11)
            return 2;
        *handle = &device;
        return 0;
    }
    const char* key = static_cast<const char*>(arg);
    if (flags == 1 && std::strcmp(key, "FAKEHELD") == 0)
        return 3; // FT_DEVICE_NOT_OPENED
    if ((flags != 2 || std::strcmp(key, "FT232R USB UART") != 0) &&
        (flags != 1 || std::strcmp(key, "FAKE0001") != 0))
        return 2;
    *handle = &device;
    return 0;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_Close(FT_HANDLE h) {
    return h == &device ? 0 : 1;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_ResetDevice(FT_HANDLE h) {
    return h == &device ? 0 : 1;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetBaudRate(FT_HANDLE h, std::uint32_t baud) {
    return h == &device && baud == 9600 ? 0 : 7;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetDataCharacteristics(FT_HANDLE h, std::uint8_t bits,
                                                          std::uint8_t stop, std::uint8_t parity) {
    return h == &device && bits == 7 && stop == 2 && parity == 4 ? 0 : 6;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetFlowControl(FT_HANDLE h, std::uint16_t flow, std::uint8_t xon,
                                                  std::uint8_t xoff) {
    return h == &device && flow == 0x0400 && xon == 0x11 && xoff == 0x13 ? 0 : 6;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetTimeouts(FT_HANDLE h, std::uint32_t readMs,
                                               std::uint32_t writeMs) {
    return h == &device && readMs == 500 && writeMs == 1000 ? 0 : 6;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_Read(FT_HANDLE h, void* buffer, std::uint32_t count,
                                        std::uint32_t* got) {
    const std::uint32_t n = count < 8 ? count : 8;
    std::memcpy(buffer, identity, n);
    *got = n;
    return h == &device ? 0 : 1;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_Write(FT_HANDLE h, void*, std::uint32_t count,
                                         std::uint32_t* written) {
    *written = count > 3 ? 3 : count; // a short write, to see the count come back
    return h == &device ? 0 : 1;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetQueueStatus(FT_HANDLE h, std::uint32_t* waiting) {
    *waiting = 42;
    return h == &device ? 0 : 1;
}
#ifndef FAKE_FTD2XX_INCOMPLETE
EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetDeviceInfo(FT_HANDLE h, std::uint32_t* type,
                                                 std::uint32_t* id, char* serial, char* description,
                                                 void*) {
    *type = 5;
    *id = 0x04036001;
    std::strcpy(serial, "FAKE0001");
    std::strcpy(description, "FT232R USB UART");
    return h == &device ? 0 : 1;
}
#endif

#ifndef FAKE_FTD2XX_BASIC
EXPORT FT_STATUS FAKE_D2XX_CALL FT_SetLatencyTimer(FT_HANDLE h, std::uint8_t timer) {
    return h == &device && timer == 1 ? 0 : 6;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetLibraryVersion(std::uint32_t* version) {
    *version = 0x00010427;
    return 0;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_CreateDeviceInfoList(std::uint32_t* count) {
    *count = hiddenType() < 0 ? 2 : 3;
    return 0;
}
EXPORT FT_STATUS FAKE_D2XX_CALL FT_GetDeviceInfoDetail(std::uint32_t index, std::uint32_t* flags,
                                                       std::uint32_t* type, std::uint32_t* id,
                                                       std::uint32_t* location, void* serial,
                                                       void* description, FT_HANDLE* handle) {
    if (index == 2 && hiddenType() >= 0) {
        *flags = 1;
        *type = static_cast<std::uint32_t>(hiddenType());
        *id = hiddenType() == 5 ? 0x04036001 : 0x04036010;
        *location = 0x13;
        static_cast<char*>(serial)[0] = static_cast<char*>(description)[0] = '\0';
        *handle = nullptr;
        return 0;
    }
    if (index > 1)
        return 6;
    *flags = index == 1 ? 1 : 0; // FT_FLAGS_OPENED
    *type = 5;
    *id = 0x04036001;
    *location = 0x11 + index;
    std::strcpy(static_cast<char*>(serial), index == 0 ? "FAKE0001" : "FAKEHELD");
    std::strcpy(static_cast<char*>(description), "FT232R USB UART");
    *handle = nullptr;
    return 0;
}
#endif
