#pragma once

#include "MemoryImage.h"
#include "config/Configuration.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qolmex {

// Puts the blocks the unit sends during Read into the record, one frame at a time, by the
// frame's address. Everything goes through the record's setters, so the list rule keeps the
// lists gapless. No frame, however malformed, makes it read past the 16 data bytes or the
// 128 bytes of an SMS area.
class FrameDecoder {
public:
    explicit FrameDecoder(Configuration& config) : config_(config) {}

    void apply(std::uint16_t address, std::span<const std::uint8_t, blockSize> data);
    void apply(const Block& block) { apply(block.address, block.data); }

private:
    // An SMS area arrives as eight blocks in a row; this holds the part gathered so far.
    struct SmsGathering {
        std::size_t area = 0;         // index into smsAreas, from the first block's address
        std::uint16_t nextAddress = 0; // the block that must come next
        std::size_t length = 0;       // the length byte of the first block
        std::string text;
    };

    void applyPhoneNumber(FieldId field, std::span<const std::uint8_t, blockSize> data);
    void applySettings(std::span<const std::uint8_t, blockSize> data);
    void FirstPacketSMS(std::uint16_t address, std::span<const std::uint8_t, blockSize> data);
    void MiddlePacketSMS(std::uint16_t address, std::span<const std::uint8_t, blockSize> data);

    Configuration& config_;
    std::optional<SmsGathering> sms_;
};

} // namespace qolmex
