#pragma once
// D2XX on top of the operating system's serial driver: the port whose USB
// product string equals the description stands for the device. Works for a
// Linux user in the dialout group, without root or unbinding the driver.

#include "usb/D2xxLibrary.h"
#include "usb/SerialPortSystem.h"

#include <memory>
#include <string>
#include <vector>

namespace qolmex {

class SerialD2xx : public D2xxLibrary {
public:
    explicit SerialD2xx(std::unique_ptr<SerialPortSystem> system);

    // FT232R (5) only for 0403:6001 with, where told, release 6.00; other FTDI
    // chips by their D2XX code; anything else unknown (3).
    static FT_DEVICE deviceTypeOf(const SerialPortInfo& port);
    // The first USB port whose product string equals the description.
    static const SerialPortInfo* findByDescription(const std::vector<SerialPortInfo>& ports,
                                                   const std::string& description);
    static const SerialPortInfo* findBySerialNumber(const std::vector<SerialPortInfo>& ports,
                                                    const std::string& serialNumber);

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
    // Every FT232R among the USB ports (0403:6001), openable when this user may read and
    // write its device file.
    std::vector<BridgeEntry> listBridges() override;
    bool listingFailed() const override { return system_->listFailed(); }
    // Why the last FT_OpenEx found the port but could not open it.
    std::string lastOpenFailure() const override { return lastOpenFailure_; }

private:
    struct OpenPort {
        SerialPortInfo info;
        std::unique_ptr<SerialLine> line;
        ULONG readTimeoutMs = 0; // D2XX starts without limits
        ULONG writeTimeoutMs = 0;
        bool used = false; // any call but FT_Close since the open
    };
    OpenPort* find(FT_HANDLE handle);
    OpenPort* use(FT_HANDLE handle);
    std::unique_ptr<SerialLine> takeLine(const SerialPortInfo& port);
    std::string describeOpenFailure(const SerialPortInfo& port) const;

    std::unique_ptr<SerialPortSystem> system_;
    std::vector<std::unique_ptr<OpenPort>> open_;
    // A port closed straight after its open (a presence probe), kept open for the next open.
    std::unique_ptr<SerialLine> parked_;
    std::string parkedName_;
    std::string lastOpenFailure_;
};

} // namespace qolmex
