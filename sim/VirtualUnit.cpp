#include "sim/VirtualUnit.h"

#include <algorithm>
#include <cstring>

namespace qolmex {

namespace {

constexpr std::uint8_t writeStart = 0xAA;
constexpr std::uint8_t writeStartAnswer = 0x06;
constexpr std::uint8_t readStart = 0x60;
constexpr std::uint8_t acknowledgement = 0x1F;
constexpr std::size_t frameSize = 18;
constexpr std::uint16_t lastImageAddress = 4080;
constexpr std::uint16_t firstSmsAddress = 3072;
constexpr auto splitGap = std::chrono::milliseconds(700); // longer than the programmer's 500 ms read

void copyText(PCHAR target, const char* text, std::size_t capacity) {
    if (target == nullptr)
        return;
    std::strncpy(target, text, capacity);
    target[capacity] = '\0';
}

} // namespace

VirtualUnit::VirtualUnit(Clock& clock, UnitFaults faults, UnitPacing pacing)
    : clock_(clock), faults_(faults), pacing_(pacing) {}

void VirtualUnit::preloadMemory(std::size_t offset, std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size() && offset + i < memorySize; ++i)
        memory_[offset + i] = static_cast<std::uint8_t>(bytes[i]);
}

FT_STATUS VirtualUnit::check(FT_HANDLE handle) const {
    if (!open_ || handle != &handleToken_)
        return FT_INVALID_HANDLE;
    if (unplugged_)
        return FT_IO_ERROR;
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_OpenEx(PVOID pArg1, DWORD Flags, FT_HANDLE* pHandle) {
    ++openCalls_;
    const char* wanted = Flags == FT_OPEN_BY_DESCRIPTION     ? description
                         : Flags == FT_OPEN_BY_SERIAL_NUMBER ? serialNumber_.c_str()
                                                             : nullptr;
    if (faults_.noDevice || unplugged_ || wanted == nullptr || pArg1 == nullptr ||
        std::strcmp(static_cast<const char*>(pArg1), wanted) != 0)
        return FT_DEVICE_NOT_FOUND;
    if (faults_.openFails && openCalls_ % 2 == 0)
        return FT_DEVICE_NOT_OPENED;
    if (open_ || (faults_.takenAfterOpens && successfulOpens_ >= *faults_.takenAfterOpens))
        return FT_DEVICE_NOT_OPENED; // one user at a time, as with the real driver

    open_ = true;
    ++successfulOpens_;
    settings_ = UnitLineSettings{};
    mode_ = Mode::Idle;
    stalled_ = false;
    framesSent_ = 0;
    blocksReceived_ = 0;
    frame_.clear();
    toPc_.clear();
    pcLineFreeAt_ = unitLineFreeAt_ = openedAt_ = clock_.now();
    latency_ = pacing_.serialDriver ? std::chrono::milliseconds(1) : pacing_.receiveLatency;
    if (!faults_.silence)
        transmit(faults_.wrongIdentity ? "QOLMEX60" : identity, clock_.now());
    *pHandle = &handleToken_;
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_Close(FT_HANDLE ftHandle) {
    if (!open_ || ftHandle != &handleToken_)
        return FT_INVALID_HANDLE;
    open_ = false;
    toPc_.clear();
    if (pacing_.serialDriver)
        ++hangUps_;
    return unplugged_ ? FT_IO_ERROR : FT_OK;
}

// The chip holds a short reply back until its latency timer runs out; 1 ms at the least.
FT_STATUS VirtualUnit::FT_SetLatencyTimer(FT_HANDLE ftHandle, UCHAR Timer) {
    if (pacing_.serialDriver || !pacing_.latencyTimerCall)
        return FT_NOT_SUPPORTED;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    if (Timer == 0)
        return FT_INVALID_PARAMETER;
    latency_ = std::chrono::milliseconds(Timer);
    return FT_OK;
}

// Keeps what is already on its way to the PC: the identity must survive the reset after opening.
FT_STATUS VirtualUnit::FT_ResetDevice(FT_HANDLE ftHandle) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    if (faults_.resetFails)
        return FT_IO_ERROR;
    ++resets_;
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    if (BaudRate == 0)
        return FT_INVALID_BAUD_RATE;
    settings_.baudRate = BaudRate;
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength,
                                                 UCHAR StopBits, UCHAR Parity) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    settings_.wordLength = WordLength;
    settings_.stopBits = StopBits;
    settings_.parity = Parity;
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                                         UCHAR XoffChar) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    settings_.flowControl = FlowControl;
    settings_.xonChar = XonChar;
    settings_.xoffChar = XoffChar;
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    settings_.readTimeoutMs = ReadTimeout;
    settings_.writeTimeoutMs = WriteTimeout;
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_Read(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToRead,
                               LPDWORD lpBytesReturned) {
    *lpBytesReturned = 0;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;

    const std::size_t count = toPc_.read(clock_, static_cast<std::uint8_t*>(lpBuffer),
                                         dwBytesToRead, settings_.readTimeoutMs);
    *lpBytesReturned = static_cast<DWORD>(count);
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                                LPDWORD lpBytesWritten) {
    *lpBytesWritten = 0;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    if (faults_.unplugAfterFrames && framesSent_ >= *faults_.unplugAfterFrames) {
        unplugged_ = true;
        return FT_IO_ERROR;
    }
    const auto* bytes = static_cast<const std::uint8_t*>(lpBuffer);
    for (DWORD i = 0; i < dwBytesToWrite; ++i) {
        pcLineFreeAt_ = std::max(pcLineFreeAt_, clock_.now()) + byteTime();
        if (lineUnderstood())
            receive(bytes[i], pcLineFreeAt_);
    }
    *lpBytesWritten = dwBytesToWrite;
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_GetQueueStatus(FT_HANDLE ftHandle, DWORD* dwRxBytes) {
    *dwRxBytes = 0;
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    *dwRxBytes = static_cast<DWORD>(toPc_.arrivedBy(clock_.now()));
    return FT_OK;
}

FT_STATUS VirtualUnit::FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                                        PCHAR SerialNumber, PCHAR Description, LPVOID) {
    if (FT_STATUS status = check(ftHandle); status != FT_OK)
        return status;
    if (faults_.deviceInfoFails)
        return FT_IO_ERROR;
    *lpftDevice = faults_.wrongDeviceType ? FT_DEVICE_BM : FT_DEVICE_232R;
    *lpdwID = 0x04036001;
    copyText(SerialNumber, serialNumber_.c_str(), 16);
    copyText(Description, description, 64);
    return FT_OK;
}

std::vector<BridgeEntry> VirtualUnit::listBridges() {
    if (faults_.noDevice || unplugged_)
        return {};
    return {BridgeEntry{description, serialNumber_, BridgeEntry::viaVendorLibrary, true, {}, {}}};
}

Clock::Duration VirtualUnit::byteTime() const {
    if (!pacing_.atBaudRate)
        return Clock::Duration{0};
    return Clock::Duration{std::chrono::nanoseconds(10'000'000'000LL / settings_.baudRate)};
}

// The unit itself always talks 9600 8N1; anything else reaches it as noise.
bool VirtualUnit::lineUnderstood() const {
    return settings_.baudRate == 9600 && settings_.wordLength == FT_BITS_8 &&
           settings_.stopBits == FT_STOP_BITS_1 && settings_.parity == FT_PARITY_NONE;
}

void VirtualUnit::receive(std::uint8_t byte, Clock::TimePoint at) {
    switch (mode_) {
    case Mode::Idle:
        if (faults_.noStartAnswer)
            return;
        if (byte == writeStart) {
            startAnswer(writeStartAnswer, at);
            mode_ = Mode::Writing;
            frame_.clear();
        } else if (byte == readStart) {
            startAnswer(readStart, at);
            mode_ = Mode::Reading;
            readOut_ = readOutOrder();
            readOutNext_ = 0;
        }
        return;
    case Mode::Writing:
        frame_ += static_cast<char>(byte);
        if (frame_.size() == frameSize) {
            storeFrame(at);
            frame_.clear();
        }
        return;
    case Mode::Reading:
        if (byte == acknowledgement)
            sendNextFrame(at);
        return;
    }
}

void VirtualUnit::startAnswer(std::uint8_t first, Clock::TimePoint at) {
    std::string answer(16, '\0');
    answer[0] = static_cast<char>(first);
    transmit(answer, at);
}

void VirtualUnit::storeFrame(Clock::TimePoint at) {
    const auto address = static_cast<std::uint16_t>(
        static_cast<std::uint8_t>(frame_[0]) << 8 | static_cast<std::uint8_t>(frame_[1]));
    const std::string_view data = std::string_view(frame_).substr(2);

    const bool firstTry = receivedAddresses_.empty() || receivedAddresses_.back() != address;
    receivedAddresses_.push_back(address);
    if (firstTry)
        ++blocksReceived_;

    if (address == clockBlockAddress) {
        std::copy(data.begin(), data.end(), clockBlock_.begin());
        clockBlockWritten_ = true;
    } else if (address + data.size() <= memorySize) {
        preloadMemory(address, data);
    } // a frame anywhere else is echoed but kept nowhere

    if (!mayAnswerFrame())
        return;
    std::string echo(data);
    if (firstTry && faults_.corruptEchoEvery > 0 && blocksReceived_ % faults_.corruptEchoEvery == 0)
        echo[7] = static_cast<char>(echo[7] ^ 0x40);
    else if (firstTry && faults_.shortEchoEvery > 0 &&
             blocksReceived_ % faults_.shortEchoEvery == 0)
        echo.pop_back();
    transmit(echo, at);
}

void VirtualUnit::sendNextFrame(Clock::TimePoint at) {
    if (readOutNext_ >= readOut_.size() || !mayAnswerFrame())
        return;
    const std::uint16_t address = readOut_[readOutNext_++];
    std::string frame;
    frame += static_cast<char>(address >> 8);
    frame += static_cast<char>(address & 0xFF);
    const Block data = blockAt(address);
    frame.append(data.begin(), data.end());

    if (faults_.splitFrame && framesSent_ == *faults_.splitFrame) {
        transmit(std::string_view(frame).substr(0, frameSize / 2), at);
        unitLineFreeAt_ = std::max(unitLineFreeAt_, at) + splitGap;
        transmit(std::string_view(frame).substr(frameSize / 2), at);
    } else {
        transmit(frame, at);
    }
}

// Counts the frame about to go out, unless the unit has stalled.
bool VirtualUnit::mayAnswerFrame() {
    if (faults_.stallAfterFrames && framesSent_ >= *faults_.stallAfterFrames)
        stalled_ = true;
    if (stalled_)
        return false;
    ++framesSent_;
    return true;
}

void VirtualUnit::transmit(std::string_view bytes, Clock::TimePoint at) {
    if (faults_.silence)
        return;
    for (char c : bytes) {
        unitLineFreeAt_ = std::max(unitLineFreeAt_, at) + byteTime();
        toPc_.push(static_cast<std::uint8_t>(c), deliveredAt(unitLineFreeAt_));
    }
}

// The chip passes what it has received to the PC each time its latency timer runs out, the
// timer running on from the open: a byte waits for the next tick, never longer than the timer.
Clock::TimePoint VirtualUnit::deliveredAt(Clock::TimePoint received) const {
    if (!pacing_.atBaudRate || latency_ <= Clock::Duration{0})
        return received;
    const auto ticks = (received - openedAt_ + latency_ - Clock::Duration{1}) / latency_;
    return openedAt_ + ticks * latency_;
}

std::vector<std::uint16_t> VirtualUnit::readOutOrder() const {
    std::vector<std::uint16_t> order;
    if (faults_.framesOutOfOrder) {
        // The areas of an SMS text must stay together and upwards; everything else may be shuffled.
        for (int a = firstSmsAddress - 16; a >= 0; a -= 16)
            order.push_back(static_cast<std::uint16_t>(a));
        for (int a = firstSmsAddress; a <= lastImageAddress; a += 16)
            order.push_back(static_cast<std::uint16_t>(a));
    } else {
        for (int a = 0; a <= lastImageAddress; a += 16)
            order.push_back(static_cast<std::uint16_t>(a));
    }
    if (faults_.strayFrameAddress)
        order.insert(order.begin() + 1, *faults_.strayFrameAddress);
    return order;
}

VirtualUnit::Block VirtualUnit::blockAt(std::uint16_t address) const {
    Block block{};
    if (faults_.blankMemory)
        block.fill(0xFF);
    else if (address == clockBlockAddress)
        block = clockBlock_;
    else if (address + block.size() <= memorySize)
        std::copy_n(memory_.begin() + address, block.size(), block.begin());
    return block;
}

} // namespace qolmex
