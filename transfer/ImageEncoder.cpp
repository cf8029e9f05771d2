#include "ImageEncoder.h"

#include "ConfigurationValidator.h"

#include <algorithm>

namespace qolmex {
namespace {

// A length byte, then the characters; the rest stays 0x00.
template <std::size_t N>
void putCountedText(std::array<std::uint8_t, N>& bytes, std::string_view text) {
    bytes[0] = static_cast<std::uint8_t>(text.size());
    std::transform(text.begin(), text.end(), bytes.begin() + 1,
                   [](char c) { return static_cast<std::uint8_t>(c); });
}

Block phoneNumberBlock(std::uint16_t address, std::string_view text) {
    Block block{address, {}};
    putCountedText(block.data, text);
    return block;
}

Block listCountBlock(const Configuration& config) {
    Block block{image::listCountAddress, {}};
    for (std::size_t i = 0; i < numberLists.size(); ++i) {
        const NumberList& list = numberLists[i];
        int filled = 0;
        for (int k = 1; k <= list.size; ++k)
            filled += config.text(config.position(list.id, k)).empty() ? 0 : 1;
        block.data[i] = static_cast<std::uint8_t>(filled);
    }
    return block;
}

Block settingsBlock(const Configuration& config) {
    Block block{image::settingsAddress, {}};
    // A clear bit is "Spínací", also when Open left neither button of an input chosen.
    block.data[image::polarityByte] =
        static_cast<std::uint8_t>((config.isChosen("rbVST1_2") ? 1 : 0) |
                                  (config.isChosen("rbVST2_2") ? 2 : 0));
    for (const SettingsNumber& number : settingsNumbers) {
        const auto value = wholeNumberOf(config.text(number.field));
        block.data[number.byte] = encodeSettingsByte(number.coding, static_cast<int>(*value));
    }
    block.data[image::smsnvFlagsByte] =
        static_cast<std::uint8_t>((config.text("memoSMSNV1").empty() ? 0 : 1) |
                                  (config.text("memoSMSNV2").empty() ? 0 : 2));
    return block;
}

void appendSmsArea(std::vector<Block>& blocks, std::uint16_t base, std::string_view text) {
    std::array<std::uint8_t, image::smsAreaSize> area{};
    putCountedText(area, text);
    for (std::size_t i = 0; i < image::blocksPerSmsArea; ++i) {
        Block block{static_cast<std::uint16_t>(base + i * blockSize), {}};
        std::copy_n(area.begin() + static_cast<std::ptrdiff_t>(i * blockSize), blockSize,
                    block.data.begin());
        blocks.push_back(block);
    }
}

} // namespace

std::vector<Block> encodeImage(const Configuration& config) {
    if (auto error = validateForUnit(config))
        throw InvalidConfiguration(std::move(*error));

    std::vector<Block> blocks;
    blocks.reserve(image::imageSize / blockSize - std::size(image::unusedAddresses));
    for (const NumberList& list : numberLists)
        for (int k = 1; k <= list.size; ++k)
            blocks.push_back(phoneNumberBlock(positionAddress(list.id, k),
                                              config.text(config.position(list.id, k))));
    for (const NamedBlock& dtmf : dtmfBlocks)
        blocks.push_back(phoneNumberBlock(dtmf.address, config.text(dtmf.field)));
    blocks.push_back(listCountBlock(config));
    blocks.push_back(settingsBlock(config));
    for (const NamedBlock& area : smsAreas)
        appendSmsArea(blocks, area.address, config.text(area.field));
    return blocks;
}

} // namespace qolmex
