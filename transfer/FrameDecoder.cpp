#include "FrameDecoder.h"

#include <algorithm>

namespace qolmex {
namespace {

using Data = std::span<const std::uint8_t, blockSize>;

std::string bytesAsText(Data data, std::size_t from, std::size_t count) {
    std::string text(count, '\0');
    std::transform(data.begin() + static_cast<std::ptrdiff_t>(from),
                   data.begin() + static_cast<std::ptrdiff_t>(from + count), text.begin(),
                   [](std::uint8_t b) { return static_cast<char>(b); });
    return text;
}

bool isFirstSmsBlock(std::uint16_t address) { return (address & 0x7F) == 0x00; }
bool isLastSmsBlock(std::uint16_t address) { return (address & 0x7F) == 0x70; }

// Settings byte 0 → which buttons are chosen, in the order rbVST1_1, rbVST2_1, rbVST1_2,
// rbVST2_2. Any other byte leaves the buttons as they are.
constexpr std::array<std::array<bool, 4>, 4> polarityTable{{
    {true, true, false, false},
    {false, true, true, false},
    {true, false, false, true},
    {false, false, true, true},
}};
constexpr std::array<std::string_view, 4> polarityButtons{"rbVST1_1", "rbVST2_1", "rbVST1_2",
                                                          "rbVST2_2"};

} // namespace

void FrameDecoder::apply(std::uint16_t address, Data data) {
    if (const auto position = listPositionAt(address)) {
        applyPhoneNumber(config_.position(position->list, position->position), data);
        return;
    }
    for (const NamedBlock& dtmf : dtmfBlocks) {
        if (dtmf.address == address) {
            applyPhoneNumber(config_.id(dtmf.field), data);
            return;
        }
    }
    if (address == image::settingsAddress) {
        applySettings(data);
        return;
    }
    if (smsAreaAt(address)) {
        if (isFirstSmsBlock(address))
            FirstPacketSMS(address, data);
        else
            MiddlePacketSMS(address, data);
    }
    // The list counts, 3040, 3056 and anything beyond the image carry nothing to take.
}

void FrameDecoder::applyPhoneNumber(FieldId field, Data data) {
    // Blank memory reads 0xFF: take only what the block holds.
    const std::size_t length = std::min<std::size_t>(data[0], image::phoneCapacity);
    config_.setText(field, bytesAsText(data, 1, length));
}

void FrameDecoder::applySettings(Data data) {
    // Decimal texts without a range check: the window shows what the unit holds, and the
    // validation before the next Send refuses what could not be written back.
    for (const SettingsNumber& number : settingsNumbers)
        config_.setText(number.field,
                        std::to_string(decodeSettingsByte(number.coding, data[number.byte])));

    const std::uint8_t polarity = data[image::polarityByte];
    if (polarity < polarityTable.size())
        for (std::size_t i = 0; i < polarityButtons.size(); ++i)
            config_.setChosen(polarityButtons[i], polarityTable[polarity][i]);
}

void FrameDecoder::FirstPacketSMS(std::uint16_t address, Data data) {
    // A partial area still gathering is dropped: its blocks no longer come in a row.
    sms_ = SmsGathering{*smsAreaAt(address), static_cast<std::uint16_t>(address + blockSize),
                        data[0], bytesAsText(data, 1, blockSize - 1)};
}

void FrameDecoder::MiddlePacketSMS(std::uint16_t address, Data data) {
    // A block out of its row (no first block, another area, a block skipped or repeated)
    // would shift or mix texts: the partial area is dropped and nothing is set.
    if (!sms_ || sms_->nextAddress != address) {
        sms_.reset();
        return;
    }
    sms_->text += bytesAsText(data, 0, blockSize);
    sms_->nextAddress = static_cast<std::uint16_t>(address + blockSize);
    if (!isLastSmsBlock(address))
        return;

    // A length byte above 127 (0xFF from blank memory) takes the whole area's characters.
    const std::size_t length = std::min(sms_->length, sms_->text.size());
    config_.setText(smsAreas[sms_->area].field, sms_->text.substr(0, length));
    sms_.reset();
}

} // namespace qolmex
