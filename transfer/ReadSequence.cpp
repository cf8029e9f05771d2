#include "ReadSequence.h"

#include "transfer/FrameDecoder.h"
#include "transfer/MemoryImage.h"
#include "transfer/TransferTexts.h"

#include <algorithm>

namespace qolmex {
namespace {

constexpr std::uint8_t readStart = 0x60;
constexpr std::uint8_t readStartAnswer = 0x60;

} // namespace

void ReadSequence::run(Configuration& config, const FrameSink& onFrame) {
    if (!begin(texts::readCaption))
        return;
    state_.BlockAddress = 0;
    if (!identify() || !startExchange(readStart, readStartAnswer))
        return;
    enterTransferring();

    FrameDecoder decoder(config);
    if (!exchange_.ACK())
        return giveUpStalled();
    do {
        if (!exchange_.ReadPacket())
            return giveUpStalled();
        markProgress();
        const std::uint16_t address = state_.BlockAddress;
        BlockData data{};
        std::copy_n(state_.FrameBuffer.begin() + 2, blockSize, data.begin());
        // Acknowledged before it is decoded, so the unit sends the next frame meanwhile.
        // A frame whose acknowledgement never gets out is still taken.
        const bool acknowledged = exchange_.ACK();
        decoder.apply(address, data);
        if (onFrame)
            onFrame(Block{address, data});
        if (!acknowledged || cancelled())
            return giveUpStalled();
    } while (!endsRead(state_.BlockAddress));
    finish();
}

} // namespace qolmex
