#pragma once

#include "config/NumberList.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qolmex {

// The unit keeps its settings in 4096 bytes and moves them in blocks of 16, each named by its
// byte offset. This file is the one place that knows where every setting lies.

inline constexpr std::size_t blockSize = 16;
using BlockData = std::array<std::uint8_t, blockSize>;

struct Block {
    std::uint16_t address = 0;
    BlockData data{};

    friend bool operator==(const Block&, const Block&) = default;
};

namespace image {

inline constexpr std::uint16_t lastBlockAddress = 4080;
inline constexpr std::uint16_t imageSize = 4096;

inline constexpr std::uint16_t listCountAddress = 3008;
inline constexpr std::uint16_t settingsAddress = 3024;
// Never written, ignored when read.
inline constexpr std::uint16_t unusedAddresses[] = {3040, 3056};
inline constexpr std::uint16_t smsAreasBase = 3072;
// Written last by Send; not part of the image.
inline constexpr std::uint16_t clockAddress = 32896;

// A phone-number block holds a length byte and at most this many characters.
inline constexpr std::size_t phoneCapacity = blockSize - 1;
inline constexpr std::size_t smsAreaSize = 128;
inline constexpr std::size_t smsCapacity = smsAreaSize - 1;
inline constexpr std::size_t blocksPerSmsArea = smsAreaSize / blockSize;

// Settings block: polarity bits in byte 0, SMSNV flags in byte 15.
inline constexpr std::size_t polarityByte = 0;
inline constexpr std::size_t smsnvFlagsByte = 15;

} // namespace image

// First block of each list; position k lies 16·(k − 1) further on.
constexpr std::uint16_t listBase(ListId list) {
    constexpr std::array<std::uint16_t, 9> bases{0, 1024, 2048, 2176, 2304, 2432, 2560, 2688, 2816};
    return bases[static_cast<std::size_t>(list)];
}

constexpr std::uint16_t positionAddress(ListId list, int position) {
    return static_cast<std::uint16_t>(listBase(list) + blockSize * static_cast<unsigned>(position - 1));
}

struct ListPosition {
    ListId list;
    int position; // 1-based
};

// The list position whose phone-number block lies at this address, if any.
std::optional<ListPosition> listPositionAt(std::uint16_t address);

// The DTMF codes follow the lists, one phone-number block each.
struct NamedBlock {
    std::uint16_t address;
    std::string_view field;
};

inline constexpr std::array<NamedBlock, 4> dtmfBlocks{{
    {2944, "MemoDTMFZAP1"},
    {2960, "MemoDTMFVYP1"},
    {2976, "MemoDTMFZAP2"},
    {2992, "MemoDTMFVYP2"},
}};

// How a whole number of the settings block becomes its byte.
enum class ByteCoding {
    Plain,    // the value itself
    Bcd,      // tens digit in the high nibble: hour 23 is 0x23
    MinusOne, // the value less one: delays of 1..255 are 0x00..0xFE
};

struct SettingsNumber {
    std::string_view field;
    std::size_t byte;
    ByteCoding coding;
};

// In byte order, which is also the order Read sets them.
inline constexpr std::array<SettingsNumber, 7> settingsNumbers{{
    {"spinINTERVAL", 1, ByteCoding::Plain},
    {"spinCAS", 2, ByteCoding::Bcd},
    {"SpinCASRELE1", 3, ByteCoding::Plain},
    {"SpinCASRELE2", 4, ByteCoding::Plain},
    {"spinKREDIT", 5, ByteCoding::Plain},
    {"spinDELAY1", 6, ByteCoding::MinusOne},
    {"spinDELAY2", 7, ByteCoding::MinusOne},
}};

// A value the field's range admits always fits; callers validate first.
constexpr std::uint8_t encodeSettingsByte(ByteCoding coding, int value) {
    switch (coding) {
    case ByteCoding::Bcd:
        return static_cast<std::uint8_t>(value / 10 * 16 + value % 10);
    case ByteCoding::MinusOne:
        return static_cast<std::uint8_t>(value - 1);
    case ByteCoding::Plain:
        break;
    }
    return static_cast<std::uint8_t>(value);
}

// Any byte decodes, even one Send would never write (0xFF as an hour gives 165).
constexpr int decodeSettingsByte(ByteCoding coding, std::uint8_t byte) {
    switch (coding) {
    case ByteCoding::Bcd:
        return byte / 16 * 10 + byte % 16;
    case ByteCoding::MinusOne:
        return byte + 1;
    case ByteCoding::Plain:
        break;
    }
    return byte;
}

// The eight SMS areas in address order; the two members of a pair share 256 bytes, so bit
// 0x80 of an address tells member 1 from member 2.
inline constexpr std::array<NamedBlock, 8> smsAreas{{
    {3072, "memoSMSV1"},
    {3200, "memoSMSV2"},
    {3328, "memoSMSNV1"},
    {3456, "memoSMSNV2"},
    {3584, "memoSMSZAP1"},
    {3712, "memoSMSZAP2"},
    {3840, "memoSMSVYP1"},
    {3968, "memoSMSVYP2"},
}};

// Index into smsAreas of the area holding this address, if it lies in one.
constexpr std::optional<std::size_t> smsAreaAt(std::uint16_t address) {
    if (address < image::smsAreasBase || address >= image::imageSize)
        return std::nullopt;
    return (address - image::smsAreasBase) / image::smsAreaSize;
}

// The unit ends its image at 4080; anything at or beyond it also ends a read.
constexpr bool endsRead(std::uint16_t address) { return address >= image::lastBlockAddress; }

} // namespace qolmex
