#include "usb/D2xxBackendChain.h"

#include <algorithm>

namespace qolmex {

void D2xxBackendChain::add(D2xxLibrary& backend) {
    backends_.push_back(&backend);
}

void D2xxBackendChain::add(std::unique_ptr<D2xxLibrary> backend) {
    backends_.push_back(backend.get());
    owned_.push_back(std::move(backend));
}

D2xxBackendChain::Route* D2xxBackendChain::find(FT_HANDLE handle) {
    auto it = std::find_if(routes_.begin(), routes_.end(),
                           [handle](const auto& route) { return route.get() == handle; });
    return it == routes_.end() ? nullptr : it->get();
}

template <typename Call>
FT_STATUS D2xxBackendChain::forward(FT_HANDLE handle, Call call) {
    Route* route = find(handle);
    return route ? call(*route->backend, route->handle) : FT_INVALID_HANDLE;
}

FT_STATUS D2xxBackendChain::FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) {
    FT_STATUS status = FT_DEVICE_NOT_FOUND;
    lastOpenFailure_.clear();
    for (D2xxLibrary* backend : backends_) {
        FT_HANDLE opened = nullptr;
        status = backend->FT_OpenEx(pArg1, Flags, &opened);
        // Each backend that saw the bridge but could not open it says how, one line each.
        if (const std::string why = status == FT_OK ? "" : backend->lastOpenFailure();
            !why.empty())
            lastOpenFailure_ += (lastOpenFailure_.empty() ? "" : "\n") + why;
        if (status == FT_OK) {
            lastOpenFailure_.clear();
            routes_.push_back(std::make_unique<Route>(Route{backend, opened}));
            *pHandle = routes_.back().get();
            return FT_OK;
        }
    }
    return status;
}

std::vector<BridgeEntry> D2xxBackendChain::listBridges() {
    std::vector<BridgeEntry> all;
    listingFailed_ = false;
    for (D2xxLibrary* backend : backends_) {
        std::vector<BridgeEntry> entries = backend->listBridges();
        listingFailed_ = listingFailed_ || backend->listingFailed();
        for (BridgeEntry& entry : entries) {
            auto known = std::find_if(all.begin(), all.end(), [&](const BridgeEntry& e) {
                return !entry.serialNumber.empty() && e.serialNumber == entry.serialNumber;
            });
            if (known == all.end())
                all.push_back(std::move(entry));
            else if (!known->openable && entry.openable) // reached another way, it can be used
                *known = std::move(entry);
        }
    }
    return all;
}

std::string D2xxBackendChain::lastOpenFailure() const {
    return lastOpenFailure_;
}

FT_STATUS D2xxBackendChain::FT_Close(FT_HANDLE ftHandle) {
    Route* route = find(ftHandle);
    if (!route)
        return FT_INVALID_HANDLE;
    const FT_STATUS status = route->backend->FT_Close(route->handle);
    std::erase_if(routes_, [route](const auto& r) { return r.get() == route; });
    return status;
}

FT_STATUS D2xxBackendChain::FT_ResetDevice(FT_HANDLE ftHandle) {
    return forward(ftHandle, [](D2xxLibrary& b, FT_HANDLE h) { return b.FT_ResetDevice(h); });
}

FT_STATUS D2xxBackendChain::FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
    return forward(ftHandle,
                   [&](D2xxLibrary& b, FT_HANDLE h) { return b.FT_SetBaudRate(h, BaudRate); });
}

FT_STATUS D2xxBackendChain::FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength,
                                                      UCHAR StopBits, UCHAR Parity) {
    return forward(ftHandle, [&](D2xxLibrary& b, FT_HANDLE h) {
        return b.FT_SetDataCharacteristics(h, WordLength, StopBits, Parity);
    });
}

FT_STATUS D2xxBackendChain::FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl,
                                              UCHAR XonChar, UCHAR XoffChar) {
    return forward(ftHandle, [&](D2xxLibrary& b, FT_HANDLE h) {
        return b.FT_SetFlowControl(h, FlowControl, XonChar, XoffChar);
    });
}

FT_STATUS D2xxBackendChain::FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout,
                                           ULONG WriteTimeout) {
    return forward(ftHandle, [&](D2xxLibrary& b, FT_HANDLE h) {
        return b.FT_SetTimeouts(h, ReadTimeout, WriteTimeout);
    });
}

FT_STATUS D2xxBackendChain::FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR Timer) {
    return forward(ftHandle,
                   [&](D2xxLibrary& b, FT_HANDLE h) { return b.FT_SetLatencyTimer(h, Timer); });
}

FT_STATUS D2xxBackendChain::FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                                    LPDWORD lpBytesReturned) {
    *lpBytesReturned = 0;
    return forward(ftHandle, [&](D2xxLibrary& b, FT_HANDLE h) {
        return b.FT_Read(h, lpBuffer, dwBytesToRead, lpBytesReturned);
    });
}

FT_STATUS D2xxBackendChain::FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                                     LPDWORD lpBytesWritten) {
    *lpBytesWritten = 0;
    return forward(ftHandle, [&](D2xxLibrary& b, FT_HANDLE h) {
        return b.FT_Write(h, lpBuffer, dwBytesToWrite, lpBytesWritten);
    });
}

FT_STATUS D2xxBackendChain::FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) {
    return forward(ftHandle,
                   [&](D2xxLibrary& b, FT_HANDLE h) { return b.FT_GetQueueStatus(h, dwRxBytes); });
}

FT_STATUS D2xxBackendChain::FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice,
                                             LPDWORD lpdwID, PCHAR SerialNumber,
                                             PCHAR Description, LPVOID Dummy) {
    return forward(ftHandle, [&](D2xxLibrary& b, FT_HANDLE h) {
        return b.FT_GetDeviceInfo(h, lpftDevice, lpdwID, SerialNumber, Description, Dummy);
    });
}

} // namespace qolmex
