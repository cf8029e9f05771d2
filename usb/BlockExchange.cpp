#include "usb/BlockExchange.h"

#include <utility>

namespace qolmex {

BlockExchange::BlockExchange(TransferState& state, Pump pump, Progress sendProgress,
                             Progress readProgress, StopCondition shouldStop)
    : state_(state), pump_(std::move(pump)), sendProgress_(std::move(sendProgress)),
      readProgress_(std::move(readProgress)), shouldStop_(std::move(shouldStop)) {}

// The pump comes after the write, as in ACK: the frame and its echo take 35 ms on the line,
// which the window's work then overlaps instead of delaying the next frame.
void BlockExchange::SendTxString(std::string& block) {
    if (block.size() < blockSize)
        block.resize(blockSize, '\0');

    state_.FrameBuffer.clear();
    state_.FrameBuffer += static_cast<char>(state_.BlockAddress >> 8);
    state_.FrameBuffer += static_cast<char>(state_.BlockAddress & 0xFF);
    state_.FrameBuffer += block;
    write(state_.FrameBuffer);
    pumpOnce();

    // Echo bytes that do not arrive in time leave their spaces in place.
    state_.FrameBuffer.assign(blockSize, ' ');
    read(blockSize);

    if (state_.BytesWritten == frameSize && state_.FrameBuffer == block &&
        state_.BytesRead == blockSize)
        state_.BlockConfirmed = true;

    if (state_.BlockAddress <= lastImageAddress && sendProgress_)
        sendProgress_(state_.BlockAddress);
}

bool BlockExchange::ReadPacket() {
    state_.FieldText.clear();
    for (;;) {
        pumpOnce();
        state_.FrameBuffer.assign(frameSize, ' ');
        read(frameSize);
        if (state_.BytesRead == frameSize)
            break;
        if (shouldStop_ && shouldStop_())
            return false;
    }
    const auto high = static_cast<unsigned char>(state_.FrameBuffer[0]);
    const auto low = static_cast<unsigned char>(state_.FrameBuffer[1]);
    state_.BlockAddress = static_cast<std::uint16_t>(256u * high + low);
    return true;
}

// The pump comes after the write: the unit starts its next frame as soon as the byte is
// out, so the window's painting overlaps the frame on the line instead of delaying it.
bool BlockExchange::ACK() {
    for (;;) {
        state_.FrameBuffer.assign(1, acknowledgement);
        write(state_.FrameBuffer);
        const bool written = state_.BytesWritten == 1;
        pumpOnce();
        if (written)
            break;
        if (shouldStop_ && shouldStop_())
            return false;
    }
    if (readProgress_)
        readProgress_(state_.BlockAddress);
    return true;
}

void BlockExchange::pumpOnce() {
    if (pump_)
        pump_();
}

// A missing device is a dead line: nothing goes out, nothing comes in.
void BlockExchange::write(const std::string& bytes) {
    DWORD written = 0;
    if (state_.UsbDevice)
        state_.UsbDevice->write(bytes.data(), static_cast<DWORD>(bytes.size()), written);
    state_.BytesWritten = written;
}

void BlockExchange::read(std::size_t count) {
    DWORD got = 0;
    if (state_.UsbDevice)
        state_.UsbDevice->read(state_.FrameBuffer.data(), static_cast<DWORD>(count), got);
    state_.BytesRead = got;
}

} // namespace qolmex
