#include "usb/SerialD2xx.h"

#include "usb/D2xxText.h"
#include "usb/OpenFailureTexts.h"
#include "usb/PortHolder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace qolmex {

namespace {

constexpr int ftdiVendor = 0x0403;

} // namespace

SerialD2xx::SerialD2xx(std::unique_ptr<SerialPortSystem> system) : system_(std::move(system)) {}

FT_DEVICE SerialD2xx::deviceTypeOf(const SerialPortInfo& port) {
    if (port.vendorId != ftdiVendor)
        return FT_DEVICE_UNKNOWN;
    const std::optional<std::uint16_t> release = port.bcdDevice;
    switch (port.productId) {
    case 0x6001: // FT232R, and before it FT232BM and FT8U232AM, told apart by the release
        if (!release || *release == 0x0600)
            return FT_DEVICE_232R;
        if (*release == 0x0400)
            return FT_DEVICE_BM;
        if (*release == 0x0200)
            return FT_DEVICE_AM;
        return FT_DEVICE_UNKNOWN;
    case 0x6010:
        if (release == 0x0500)
            return FT_DEVICE_2232C;
        if (release == 0x0700)
            return FT_DEVICE_2232H;
        return FT_DEVICE_UNKNOWN;
    case 0x6011:
        return FT_DEVICE_4232H;
    case 0x6014:
        return FT_DEVICE_232H;
    case 0x6015:
        return FT_DEVICE_X_SERIES;
    default:
        return FT_DEVICE_UNKNOWN;
    }
}

const SerialPortInfo* SerialD2xx::findByDescription(const std::vector<SerialPortInfo>& ports,
                                                    const std::string& description) {
    auto it = std::find_if(ports.begin(), ports.end(), [&](const SerialPortInfo& port) {
        return port.usb && port.product == description;
    });
    return it == ports.end() ? nullptr : &*it;
}

const SerialPortInfo* SerialD2xx::findBySerialNumber(const std::vector<SerialPortInfo>& ports,
                                                     const std::string& serialNumber) {
    auto it = std::find_if(ports.begin(), ports.end(), [&](const SerialPortInfo& port) {
        return port.usb && !serialNumber.empty() && port.serialNumber == serialNumber;
    });
    return it == ports.end() ? nullptr : &*it;
}

std::vector<BridgeEntry> SerialD2xx::listBridges() {
    std::vector<BridgeEntry> bridges;
    for (const SerialPortInfo& port : system_->listPorts()) {
        if (!port.usb || port.vendorId != ftdiVendor || port.productId != 0x6001)
            continue;
        BridgeEntry entry{port.product, port.serialNumber, port.name, true, {}, {}};
        if (::access(port.name.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
            entry.openable = false;
            entry.reason = openFailureTexts::permissionDenied(port.name, portGroupName(port.name));
        }
        bridges.push_back(std::move(entry));
    }
    return bridges;
}

SerialD2xx::OpenPort* SerialD2xx::find(FT_HANDLE handle) {
    auto it = std::find_if(open_.begin(), open_.end(),
                           [handle](const auto& port) { return port.get() == handle; });
    return it == open_.end() ? nullptr : it->get();
}

SerialD2xx::OpenPort* SerialD2xx::use(FT_HANDLE handle) {
    OpenPort* port = find(handle);
    if (port != nullptr)
        port->used = true;
    return port;
}

// Closing a tty drops DTR and RTS, which the vendor library never does; so a probe's close
// leaves the port open for the open that follows it, and the lines stay steady until the
// close that ends the connection.
std::unique_ptr<SerialLine> SerialD2xx::takeLine(const SerialPortInfo& port) {
    if (parked_ && parkedName_ == port.name)
        return std::move(parked_);
    parked_.reset();
    return system_->open(port);
}

std::string SerialD2xx::describeOpenFailure(const SerialPortInfo& port) const {
    const int error = system_->lastOpenError();
    switch (error) {
    case 0:
        return {};
    case EACCES:
    case EPERM:
        return openFailureTexts::permissionDenied(port.name, portGroupName(port.name));
    case EBUSY:
        return openFailureTexts::portBusy(port.name, findPortHolder(port.name));
    default:
        return openFailureTexts::portFailed(port.name, error);
    }
}

FT_STATUS SerialD2xx::FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) {
    lastOpenFailure_.clear();
    if ((Flags != FT_OPEN_BY_DESCRIPTION && Flags != FT_OPEN_BY_SERIAL_NUMBER) || pArg1 == nullptr)
        return FT_INVALID_PARAMETER;
    const std::vector<SerialPortInfo> ports = system_->listPorts();
    const char* key = static_cast<const char*>(pArg1);
    const SerialPortInfo* port = Flags == FT_OPEN_BY_DESCRIPTION ? findByDescription(ports, key)
                                                                 : findBySerialNumber(ports, key);
    if (port == nullptr) {
        parked_.reset();
        return FT_DEVICE_NOT_FOUND;
    }
    // Like D2XX, a device serves one handle at a time.
    if (std::any_of(open_.begin(), open_.end(),
                    [&](const auto& p) { return p->info.name == port->name; }))
        return FT_DEVICE_NOT_OPENED;
    std::unique_ptr<SerialLine> line = takeLine(*port);
    if (!line) {
        lastOpenFailure_ = describeOpenFailure(*port);
        return FT_DEVICE_NOT_OPENED;
    }
    open_.push_back(std::make_unique<OpenPort>(OpenPort{*port, std::move(line)}));
    *pHandle = open_.back().get();
    return FT_OK;
}

FT_STATUS SerialD2xx::FT_Close(FT_HANDLE ftHandle) {
    OpenPort* port = find(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    if (!port->used) {
        parked_ = std::move(port->line);
        parkedName_ = port->info.name;
    }
    std::erase_if(open_, [port](const auto& p) { return p.get() == port; });
    return FT_OK;
}

// The kernel driver already reset the chip when the port opened; dropping
// pending output is as close as it lets us come. Input is kept: the unit's
// identity may already be on its way.
FT_STATUS SerialD2xx::FT_ResetDevice(FT_HANDLE ftHandle) {
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    return port->line->reset() ? FT_OK : FT_IO_ERROR;
}

FT_STATUS SerialD2xx::FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    if (BaudRate == 0)
        return FT_INVALID_BAUD_RATE;
    return port->line->setBaudRate(BaudRate) ? FT_OK : FT_INVALID_BAUD_RATE;
}

FT_STATUS SerialD2xx::FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength,
                                                UCHAR StopBits, UCHAR Parity) {
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    if ((WordLength != FT_BITS_7 && WordLength != FT_BITS_8) ||
        (StopBits != FT_STOP_BITS_1 && StopBits != FT_STOP_BITS_2) || Parity > FT_PARITY_SPACE)
        return FT_INVALID_PARAMETER;
    const int stopBits = StopBits == FT_STOP_BITS_1 ? 1 : 2;
    return port->line->setFormat(WordLength, stopBits, static_cast<SerialParity>(Parity))
               ? FT_OK
               : FT_IO_ERROR;
}

// The driver uses the standard XON/XOFF characters; others cannot be set through it.
FT_STATUS SerialD2xx::FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR, UCHAR) {
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    SerialFlow flow = SerialFlow::None;
    switch (FlowControl) {
    case FT_FLOW_NONE: flow = SerialFlow::None; break;
    case FT_FLOW_RTS_CTS: flow = SerialFlow::RtsCts; break;
    case FT_FLOW_DTR_DSR: flow = SerialFlow::DtrDsr; break;
    case FT_FLOW_XON_XOFF: flow = SerialFlow::XonXoff; break;
    default: return FT_INVALID_PARAMETER;
    }
    return port->line->setFlowControl(flow) ? FT_OK : FT_IO_ERROR;
}

FT_STATUS SerialD2xx::FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) {
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    port->readTimeoutMs = ReadTimeout;
    port->writeTimeoutMs = WriteTimeout;
    return FT_OK;
}

FT_STATUS SerialD2xx::FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                              LPDWORD lpBytesReturned) {
    *lpBytesReturned = 0;
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    const int got =
        port->line->read(static_cast<std::uint8_t*>(lpBuffer), dwBytesToRead, port->readTimeoutMs);
    if (got < 0)
        return FT_IO_ERROR;
    *lpBytesReturned = static_cast<DWORD>(got);
    return FT_OK;
}

FT_STATUS SerialD2xx::FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                               LPDWORD lpBytesWritten) {
    *lpBytesWritten = 0;
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    const int sent = port->line->write(static_cast<const std::uint8_t*>(lpBuffer), dwBytesToWrite,
                                       port->writeTimeoutMs);
    if (sent < 0)
        return FT_IO_ERROR;
    *lpBytesWritten = static_cast<DWORD>(sent);
    return FT_OK;
}

FT_STATUS SerialD2xx::FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) {
    *dwRxBytes = 0;
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    const int waiting = port->line->bytesWaiting();
    if (waiting < 0)
        return FT_IO_ERROR;
    *dwRxBytes = static_cast<DWORD>(waiting);
    return FT_OK;
}

FT_STATUS SerialD2xx::FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                                       PCHAR SerialNumber, PCHAR Description, LPVOID) {
    OpenPort* port = use(ftHandle);
    if (port == nullptr)
        return FT_INVALID_HANDLE;
    const SerialPortInfo& info = port->info;
    *lpftDevice = deviceTypeOf(info);
    *lpdwID = info.vendorId < 0 || info.productId < 0
                  ? 0
                  : static_cast<DWORD>(info.vendorId) << 16 | static_cast<DWORD>(info.productId);
    copyD2xxText(SerialNumber, info.serialNumber, 16);
    copyD2xxText(Description, info.product, 64);
    return FT_OK;
}

} // namespace qolmex
