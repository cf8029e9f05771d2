#pragma once
// Several D2XX backends behind one: FT_OpenEx tries them in order and the
// first that opens the description serves that handle until FT_Close.

#include "usb/D2xxLibrary.h"

#include <memory>
#include <vector>

namespace qolmex {

class D2xxBackendChain : public D2xxLibrary {
public:
    void add(D2xxLibrary& backend); // not owned; must outlive the chain
    void add(std::unique_ptr<D2xxLibrary> backend);

    // Status of the last backend tried when none opens; FT_DEVICE_NOT_FOUND without backends.
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
    // Each bridge once, as the first backend that reaches it lists it, or the first that
    // can open it.
    std::vector<BridgeEntry> listBridges() override;
    bool listingFailed() const override { return listingFailed_; }
    // Empty when a backend opened; else what each backend that failed said, a line each.
    std::string lastOpenFailure() const override;

private:
    // Our handle is the address of its route, so handles of different backends never clash.
    struct Route {
        D2xxLibrary* backend;
        FT_HANDLE handle;
    };
    Route* find(FT_HANDLE handle);
    template <typename Call>
    FT_STATUS forward(FT_HANDLE handle, Call call);

    std::vector<std::unique_ptr<D2xxLibrary>> owned_;
    std::vector<D2xxLibrary*> backends_;
    std::vector<std::unique_ptr<Route>> routes_;
    std::string lastOpenFailure_;
    bool listingFailed_ = false;
};

} // namespace qolmex
