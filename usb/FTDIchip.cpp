#include "usb/FTDIchip.h"

#include <array>

namespace qolmex {

namespace {

constexpr std::array<ULONG, 14> baudRates = {300,   600,   1200,   2400,   4800,   9600,   14400,
                                             19200, 38400, 57600, 115200, 230400, 460800, 921600};
constexpr std::array<UCHAR, 2> wordLengths = {FT_BITS_8, FT_BITS_7};
constexpr std::array<UCHAR, 2> stopBitCodes = {FT_STOP_BITS_1, FT_STOP_BITS_2};
constexpr std::array<USHORT, 4> flowCodes = {FT_FLOW_NONE, FT_FLOW_RTS_CTS, FT_FLOW_DTR_DSR,
                                             FT_FLOW_XON_XOFF};
constexpr int parityCount = 5;

template <typename Table>
bool inTable(const Table& table, int selector) {
    return selector >= 0 && static_cast<std::size_t>(selector) < table.size();
}

// Both buffers get one byte more than D2XX fills, so a missing terminator cannot run off.
template <std::size_t N>
std::string textUpToZero(std::array<char, N>& buffer) {
    buffer.back() = '\0';
    return std::string(buffer.data());
}

} // namespace

tftdichip::tftdichip(D2xxLibrary& library) : library_(library) {}

bool tftdichip::isPresentByDescription(const std::string& description) {
    std::string text = description; // D2XX takes a non-const pointer
    return isPresent(text.data(), FT_OPEN_BY_DESCRIPTION);
}

bool tftdichip::openDeviceByDescription(const std::string& description) {
    std::string text = description;
    return open(text.data(), FT_OPEN_BY_DESCRIPTION, "openDeviceByDescription");
}

bool tftdichip::isPresentBySerialNumber(const std::string& serialNumber) {
    std::string text = serialNumber;
    return isPresent(text.data(), FT_OPEN_BY_SERIAL_NUMBER);
}

bool tftdichip::openDeviceBySerialNumber(const std::string& serialNumber) {
    std::string text = serialNumber;
    return open(text.data(), FT_OPEN_BY_SERIAL_NUMBER, "openDeviceBySerialNumber");
}

// D2XX takes a location as the pointer's value.
bool tftdichip::isPresentByLocation(std::uint32_t location) {
    return isPresent(reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(location)),
                     FT_OPEN_BY_LOCATION);
}

bool tftdichip::openDeviceByLocation(std::uint32_t location) {
    return open(reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(location)), FT_OPEN_BY_LOCATION,
                "openDeviceByLocation");
}

bool tftdichip::isPresent(PVOID key, DWORD flags) {
    FT_HANDLE probe = nullptr;
    if (library_.FT_OpenEx(key, flags, &probe) != FT_OK)
        return false;
    library_.FT_Close(probe);
    return true;
}

bool tftdichip::open(PVOID key, DWORD flags, const char* operation) {
    if (open_)
        throw FtdiChipError(std::string("tftdichip.") + operation + ": Already open");
    FT_HANDLE opened = nullptr;
    if (library_.FT_OpenEx(key, flags, &opened) != FT_OK)
        return false;
    handle_ = opened;
    open_ = true;
    return true;
}

void tftdichip::closeDevice() {
    if (!open_)
        throw FtdiChipError("tftdichip.closeDevice: Not open");
    library_.FT_Close(handle_);
    open_ = false;
}

bool tftdichip::setBaudRate(int selector) {
    if (!inTable(baudRates, selector))
        throw FtdiChipError("tftdichip.setBaudRate: Invalid baud rate");
    return library_.FT_SetBaudRate(handle_, baudRates[static_cast<std::size_t>(selector)]) == FT_OK;
}

bool tftdichip::setDataCharacteristics(int wordLength, int stopBits, int parity) {
    if (!inTable(wordLengths, wordLength))
        throw FtdiChipError("tftdichip.setDataCharacteristics: Invalid wordLength");
    if (!inTable(stopBitCodes, stopBits))
        throw FtdiChipError("tftdichip.setDataCharacteristics: Invalid stopBits");
    if (parity < 0 || parity >= parityCount)
        throw FtdiChipError("tftdichip.setDataCharacteristics: Invalid parity");
    return library_.FT_SetDataCharacteristics(handle_,
                                              wordLengths[static_cast<std::size_t>(wordLength)],
                                              stopBitCodes[static_cast<std::size_t>(stopBits)],
                                              static_cast<UCHAR>(parity)) == FT_OK;
}

bool tftdichip::setFlowControl(int flowControl, UCHAR xonChar, UCHAR xoffChar) {
    if (!inTable(flowCodes, flowControl))
        throw FtdiChipError("tftdichip.setFlowControl: Invalid flowcontrol");
    return library_.FT_SetFlowControl(handle_, flowCodes[static_cast<std::size_t>(flowControl)],
                                      xonChar, xoffChar) == FT_OK;
}

bool tftdichip::setTimeouts(DWORD readTimeoutMs, DWORD writeTimeoutMs) {
    return library_.FT_SetTimeouts(handle_, readTimeoutMs, writeTimeoutMs) == FT_OK;
}

bool tftdichip::resetDevice() {
    return library_.FT_ResetDevice(handle_) == FT_OK;
}

bool tftdichip::setLatencyTimer(UCHAR milliseconds) {
    return library_.FT_SetLatencyTimer(handle_, milliseconds) == FT_OK;
}

bool tftdichip::read(void* buffer, DWORD count, DWORD& bytesRead) {
    bytesRead = 0;
    return lineCall(library_.FT_Read(handle_, buffer, count, &bytesRead));
}

bool tftdichip::write(const void* buffer, DWORD count, DWORD& bytesWritten) {
    bytesWritten = 0;
    // D2XX's FT_Write takes a non-const pointer but only reads through it.
    return lineCall(library_.FT_Write(handle_, const_cast<void*>(buffer), count, &bytesWritten));
}

bool tftdichip::getQueueStatus(DWORD& receivedBytes) {
    return lineCall(library_.FT_GetQueueStatus(handle_, &receivedBytes));
}

// D2XX reports a pulled cable on the next call as one of these three; a handle that was
// never ours (not open) says nothing about the bridge.
bool tftdichip::lineCall(FT_STATUS status) {
    if (open_ && (status == FT_IO_ERROR || status == FT_INVALID_HANDLE ||
                  status == FT_DEVICE_NOT_FOUND))
        lost_ = true;
    return status == FT_OK;
}

bool tftdichip::getDeviceInfo(FtDeviceType& deviceType, std::uint16_t& productId,
                              std::uint16_t& vendorId, std::string& serialNumber,
                              std::string& description) {
    FT_DEVICE code = 0;
    DWORD id = 0;
    std::array<char, 17> serialBuffer{};
    std::array<char, 65> descriptionBuffer{};
    if (library_.FT_GetDeviceInfo(handle_, &code, &id, serialBuffer.data(),
                                  descriptionBuffer.data(), nullptr) != FT_OK)
        return false;
    switch (code) {
    case FT_DEVICE_BM:
    case FT_DEVICE_AM:
    case FT_DEVICE_100AX:
    case FT_DEVICE_2232C:
    case FT_DEVICE_232R:
        deviceType = static_cast<FtDeviceType>(code);
        break;
    default:
        deviceType = FtDeviceType::Unknown;
    }
    vendorId = static_cast<std::uint16_t>(id >> 16);
    productId = static_cast<std::uint16_t>(id & 0xFFFFu);
    serialNumber = textUpToZero(serialBuffer);
    description = textUpToZero(descriptionBuffer);
    return true;
}

} // namespace qolmex
