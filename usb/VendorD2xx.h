#pragma once
// The chip maker's own D2XX library, loaded at run time by its usual name
// through the system's ordinary library search, so the build needs no vendor
// file. Without the library (or with one that lacks a function) this backend
// simply finds no device.

#include "usb/D2xxLibrary.h"

#include <memory>
#include <optional>
#include <string>

namespace qolmex {

class VendorD2xx : public D2xxLibrary {
public:
    static const char* defaultLibraryName(); // "libftd2xx.so" or "FTD2XX.DLL"

    // A name is searched for as the system does; a path is loaded from there.
    explicit VendorD2xx(const std::string& library = defaultLibraryName());
    ~VendorD2xx() override;
    VendorD2xx(const VendorD2xx&) = delete;
    VendorD2xx& operator=(const VendorD2xx&) = delete;

    bool loaded() const { return functions_ != nullptr; }

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
    // These three are optional: a library without them still opens and moves bytes.
    FT_STATUS FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR Timer) override;
    // From FT_CreateDeviceInfoList and FT_GetDeviceInfoDetail; a bridge the library sees as
    // opened elsewhere (another program, or the kernel's serial driver) is listed unopenable.
    std::vector<BridgeEntry> listBridges() override;
    bool listingFailed() const override { return listingFailed_; }
    std::string lastOpenFailure() const override { return lastOpenFailure_; }

    // Every device the library lists, with its chip type, without opening any.
    struct DetailedEntry {
        BridgeEntry bridge;
        bool openedElsewhere = false;
        DWORD type = FT_DEVICE_UNKNOWN;
        DWORD id = 0;
    };
    std::vector<DetailedEntry> deviceList();
    // FT_GetLibraryVersion (0x00010408 is 1.4.8); none where the library cannot tell.
    std::optional<DWORD> libraryVersion();

private:
    static bool mayBe(const DetailedEntry& entry, PVOID key, DWORD flags);

    struct Functions;
    void* module_ = nullptr;
    std::unique_ptr<Functions> functions_;
    std::string lastOpenFailure_;
    bool listingFailed_ = false;
};

} // namespace qolmex
