#pragma once
// A recording D2XX library for the tests: every call and its arguments.

#include "usb/D2xxLibrary.h"

#include <gmock/gmock.h>

namespace qolmex {

class MockD2xx : public D2xxLibrary {
public:
    MOCK_METHOD(FT_STATUS, FT_OpenEx, (PVOID, DWORD, FT_HANDLE*), (override));
    MOCK_METHOD(FT_STATUS, FT_Close, (FT_HANDLE), (override));
    MOCK_METHOD(FT_STATUS, FT_ResetDevice, (FT_HANDLE), (override));
    MOCK_METHOD(FT_STATUS, FT_SetBaudRate, (FT_HANDLE, ULONG), (override));
    MOCK_METHOD(FT_STATUS, FT_SetDataCharacteristics, (FT_HANDLE, UCHAR, UCHAR, UCHAR), (override));
    MOCK_METHOD(FT_STATUS, FT_SetFlowControl, (FT_HANDLE, USHORT, UCHAR, UCHAR), (override));
    MOCK_METHOD(FT_STATUS, FT_SetTimeouts, (FT_HANDLE, ULONG, ULONG), (override));
    MOCK_METHOD(FT_STATUS, FT_Read, (FT_HANDLE, LPVOID, DWORD, LPDWORD), (override));
    MOCK_METHOD(FT_STATUS, FT_Write, (FT_HANDLE, LPVOID, DWORD, LPDWORD), (override));
    MOCK_METHOD(FT_STATUS, FT_GetQueueStatus, (FT_HANDLE, DWORD*), (override));
    MOCK_METHOD(FT_STATUS, FT_SetLatencyTimer, (FT_HANDLE, UCHAR), (override));
    MOCK_METHOD(FT_STATUS, FT_GetDeviceInfo, (FT_HANDLE, FT_DEVICE*, LPDWORD, PCHAR, PCHAR, LPVOID),
                (override));
};

// FT_OpenEx matcher on the description text.
MATCHER_P(DescriptionIs, text, "") {
    return arg != nullptr && std::string(static_cast<const char*>(arg)) == text;
}

} // namespace qolmex
