#include "SendSequence.h"

#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ImageEncoder.h"
#include "transfer/MemoryImage.h"
#include "transfer/TransferTexts.h"

namespace qolmex {
namespace {

constexpr std::uint8_t writeStart = 0xAA;
constexpr std::uint8_t writeStartAnswer = 0x06;

std::string bytesOf(const Block& block) {
    return {block.data.begin(), block.data.end()};
}

} // namespace

SendSequence::SendSequence(TransferState& state, DeviceConnection& connection,
                           TransferDialog& dialog, TransferHost& host, LocalTimeSource localTime)
    : TransferSequence(state, connection, dialog, host), localTime_(std::move(localTime)) {}

std::optional<ValidationError> SendSequence::run(const Configuration& config) {
    if (auto error = validateForUnit(config))
        return error;
    if (!begin(texts::sendCaption) || !identify() || !startExchange(writeStart, writeStartAnswer))
        return std::nullopt;
    enterTransferring();

    for (const Block& block : encodeImage(config)) {
        if (!sendBlock(block.address, [&block] { return bytesOf(block); })) {
            giveUpStalled();
            return std::nullopt;
        }
    }
    // The unit's clock gets the time of the try that lands, not of the first one.
    if (!sendBlock(image::clockAddress, [this] { return bytesOf(clockBlock(localTime_())); })) {
        giveUpStalled();
        return std::nullopt;
    }
    finish();
    return std::nullopt;
}

bool SendSequence::sendBlock(std::uint16_t address, const std::function<std::string()>& payload) {
    state_.BlockConfirmed = false;
    do {
        state_.BlockAddress = address;
        BlockPayload = payload();
        exchange_.SendTxString(BlockPayload);
        host_.pump();
        // Storno also sets BlockConfirmed, which must not pass for an echo.
        if (cancelled() || (!state_.BlockConfirmed && stalled()))
            return false;
    } while (!state_.BlockConfirmed);
    markProgress();
    return true;
}

} // namespace qolmex
