#include "usb/VendorD2xx.h"

#include "usb/OpenFailureTexts.h"

#include <algorithm>
#include <cstdint>

#if defined(_WIN32)
#include <windows.h>
#define QOLMEX_D2XX_CALL WINAPI
#else
#include <dlfcn.h>
#define QOLMEX_D2XX_CALL
#endif

namespace qolmex {

// The library's own declarations, in our words (the vendor header is not needed).
struct VendorD2xx::Functions {
    FT_STATUS(QOLMEX_D2XX_CALL* openEx)(PVOID, DWORD, FT_HANDLE*);
    FT_STATUS(QOLMEX_D2XX_CALL* close)(FT_HANDLE);
    FT_STATUS(QOLMEX_D2XX_CALL* resetDevice)(FT_HANDLE);
    FT_STATUS(QOLMEX_D2XX_CALL* setBaudRate)(FT_HANDLE, ULONG);
    FT_STATUS(QOLMEX_D2XX_CALL* setDataCharacteristics)(FT_HANDLE, UCHAR, UCHAR, UCHAR);
    FT_STATUS(QOLMEX_D2XX_CALL* setFlowControl)(FT_HANDLE, USHORT, UCHAR, UCHAR);
    FT_STATUS(QOLMEX_D2XX_CALL* setTimeouts)(FT_HANDLE, ULONG, ULONG);
    FT_STATUS(QOLMEX_D2XX_CALL* read)(FT_HANDLE, LPVOID, DWORD, LPDWORD);
    FT_STATUS(QOLMEX_D2XX_CALL* write)(FT_HANDLE, LPVOID, DWORD, LPDWORD);
    FT_STATUS(QOLMEX_D2XX_CALL* getQueueStatus)(FT_HANDLE, DWORD*);
    FT_STATUS(QOLMEX_D2XX_CALL* getDeviceInfo)(FT_HANDLE, FT_DEVICE*, LPDWORD, PCHAR, PCHAR,
                                               LPVOID);
    // Optional; null where the library lacks them.
    FT_STATUS(QOLMEX_D2XX_CALL* setLatencyTimer)(FT_HANDLE, UCHAR) = nullptr;
    FT_STATUS(QOLMEX_D2XX_CALL* createDeviceInfoList)(LPDWORD) = nullptr;
    FT_STATUS(QOLMEX_D2XX_CALL* getDeviceInfoDetail)(DWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD,
                                                     LPVOID, LPVOID, FT_HANDLE*) = nullptr;
    FT_STATUS(QOLMEX_D2XX_CALL* getLibraryVersion)(LPDWORD) = nullptr;
};

namespace {

#if defined(_WIN32)
void* openModule(const std::string& name) {
    return reinterpret_cast<void*>(LoadLibraryA(name.c_str()));
}
void* findSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
void closeModule(void* module) {
    FreeLibrary(static_cast<HMODULE>(module));
}
#else
void* openModule(const std::string& name) {
    return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void* findSymbol(void* module, const char* name) {
    return dlsym(module, name);
}
void closeModule(void* module) {
    dlclose(module);
}
#endif

template <typename Function>
bool bind(void* module, const char* name, Function& target) {
    void* symbol = findSymbol(module, name);
    target = reinterpret_cast<Function>(symbol);
    return symbol != nullptr;
}

} // namespace

const char* VendorD2xx::defaultLibraryName() {
#if defined(_WIN32)
    return "FTD2XX.DLL";
#else
    return "libftd2xx.so";
#endif
}

VendorD2xx::VendorD2xx(const std::string& library) {
    module_ = openModule(library);
    if (module_ == nullptr)
        return;
    auto f = std::make_unique<Functions>();
    const bool complete = bind(module_, "FT_OpenEx", f->openEx) &&
                          bind(module_, "FT_Close", f->close) &&
                          bind(module_, "FT_ResetDevice", f->resetDevice) &&
                          bind(module_, "FT_SetBaudRate", f->setBaudRate) &&
                          bind(module_, "FT_SetDataCharacteristics", f->setDataCharacteristics) &&
                          bind(module_, "FT_SetFlowControl", f->setFlowControl) &&
                          bind(module_, "FT_SetTimeouts", f->setTimeouts) &&
                          bind(module_, "FT_Read", f->read) &&
                          bind(module_, "FT_Write", f->write) &&
                          bind(module_, "FT_GetQueueStatus", f->getQueueStatus) &&
                          bind(module_, "FT_GetDeviceInfo", f->getDeviceInfo);
    if (complete) {
        bind(module_, "FT_SetLatencyTimer", f->setLatencyTimer);
        bind(module_, "FT_GetLibraryVersion", f->getLibraryVersion);
        if (!bind(module_, "FT_CreateDeviceInfoList", f->createDeviceInfoList) ||
            !bind(module_, "FT_GetDeviceInfoDetail", f->getDeviceInfoDetail))
            f->createDeviceInfoList = nullptr;
        functions_ = std::move(f);
    } else {
        closeModule(module_);
        module_ = nullptr;
    }
}

VendorD2xx::~VendorD2xx() {
    if (module_ != nullptr)
        closeModule(module_);
}

// Nothing opens without the library, so no handle of ours can reach the other calls then.
FT_STATUS VendorD2xx::FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) {
    lastOpenFailure_.clear();
    if (!functions_)
        return FT_DEVICE_NOT_FOUND;
    const FT_STATUS status = functions_->openEx(pArg1, Flags, pHandle);
    if (status == FT_OK)
        return status;
    // On Linux the kernel's serial driver usually holds the bridge, and the library then
    // sees it but cannot open it; the serial backend after us can. Say so only when the
    // bridge asked for was seen, so that "no bridge" stays "no bridge".
    const std::vector<DetailedEntry> entries = deviceList();
    const bool seen = std::any_of(entries.begin(), entries.end(),
                                  [&](const DetailedEntry& e) { return mayBe(e, pArg1, Flags); });
    // Without a device list the status is all there is to go by.
    const bool noList = functions_->createDeviceInfoList == nullptr || listingFailed_;
    if (seen || (noList && status != FT_DEVICE_NOT_FOUND))
        lastOpenFailure_ = openFailureTexts::vendorCannotOpen(status);
    return status;
}

// The bridge asked for, or one the library lists held elsewhere without its strings that
// could be it: an FT232R (0403:6001), which any other FTDI chip the kernel holds is not.
bool VendorD2xx::mayBe(const DetailedEntry& entry, PVOID key, DWORD flags) {
    if (flags == FT_OPEN_BY_LOCATION)
        return entry.bridge.location ==
               static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(key));
    if (key == nullptr)
        return false;
    const std::string wanted = static_cast<const char*>(key);
    const std::string& mine =
        flags == FT_OPEN_BY_SERIAL_NUMBER ? entry.bridge.serialNumber : entry.bridge.description;
    if (!mine.empty())
        return mine == wanted;
    constexpr DWORD ft232rId = 0x04036001;
    return entry.openedElsewhere && entry.type == FT_DEVICE_232R && entry.id == ft232rId;
}

std::vector<VendorD2xx::DetailedEntry> VendorD2xx::deviceList() {
    std::vector<DetailedEntry> entries;
    listingFailed_ = false;
    if (!functions_ || functions_->createDeviceInfoList == nullptr)
        return entries;
    DWORD count = 0;
    if (functions_->createDeviceInfoList(&count) != FT_OK) {
        listingFailed_ = true;
        return entries;
    }
    constexpr DWORD openedFlag = 1; // FT_FLAGS_OPENED
    for (DWORD i = 0; i < count; ++i) {
        DWORD flags = 0, type = 0, id = 0, location = 0;
        char serial[17] = {};
        char description[65] = {};
        FT_HANDLE handle = nullptr;
        if (functions_->getDeviceInfoDetail(i, &flags, &type, &id, &location, serial, description,
                                            &handle) != FT_OK) {
            listingFailed_ = true;
            continue;
        }
        serial[16] = description[64] = '\0';
        DetailedEntry entry{
            {description, serial, BridgeEntry::viaVendorLibrary, true, {}, location},
            (flags & openedFlag) != 0,
            type,
            id};
        if (entry.openedElsewhere) {
            entry.bridge.openable = false;
            entry.bridge.reason = openFailureTexts::vendorBridgeInUse;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<DWORD> VendorD2xx::libraryVersion() {
    DWORD version = 0;
    if (!functions_ || functions_->getLibraryVersion == nullptr ||
        functions_->getLibraryVersion(&version) != FT_OK)
        return std::nullopt;
    return version;
}

// A bridge held by the kernel's driver is reported without its strings; the serial backend
// lists it with them, so it is left out here.
std::vector<BridgeEntry> VendorD2xx::listBridges() {
    std::vector<BridgeEntry> bridges;
    for (DetailedEntry& entry : deviceList()) {
        if (!entry.bridge.description.empty() || !entry.bridge.serialNumber.empty())
            bridges.push_back(std::move(entry.bridge));
    }
    return bridges;
}

FT_STATUS VendorD2xx::FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR Timer) {
    if (!functions_)
        return FT_INVALID_HANDLE;
    return functions_->setLatencyTimer ? functions_->setLatencyTimer(ftHandle, Timer)
                                       : FT_NOT_SUPPORTED;
}

FT_STATUS VendorD2xx::FT_Close(FT_HANDLE ftHandle) {
    return functions_ ? functions_->close(ftHandle) : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_ResetDevice(FT_HANDLE ftHandle) {
    return functions_ ? functions_->resetDevice(ftHandle) : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
    return functions_ ? functions_->setBaudRate(ftHandle, BaudRate) : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength,
                                                UCHAR StopBits, UCHAR Parity) {
    return functions_ ? functions_->setDataCharacteristics(ftHandle, WordLength, StopBits, Parity)
                      : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                        UCHAR XoffChar) {
    return functions_ ? functions_->setFlowControl(ftHandle, FlowControl, XonChar, XoffChar)
                      : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) {
    return functions_ ? functions_->setTimeouts(ftHandle, ReadTimeout, WriteTimeout)
                      : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                              LPDWORD lpBytesReturned) {
    return functions_ ? functions_->read(ftHandle, lpBuffer, dwBytesToRead, lpBytesReturned)
                      : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                               LPDWORD lpBytesWritten) {
    return functions_ ? functions_->write(ftHandle, lpBuffer, dwBytesToWrite, lpBytesWritten)
                      : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) {
    return functions_ ? functions_->getQueueStatus(ftHandle, dwRxBytes) : FT_INVALID_HANDLE;
}

FT_STATUS VendorD2xx::FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                                       PCHAR SerialNumber, PCHAR Description, LPVOID Dummy) {
    return functions_ ? functions_->getDeviceInfo(ftHandle, lpftDevice, lpdwID, SerialNumber,
                                                  Description, Dummy)
                      : FT_INVALID_HANDLE;
}

} // namespace qolmex
