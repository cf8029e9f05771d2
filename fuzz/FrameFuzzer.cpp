// The frame decoder fed any sequence of frames (two address bytes and 16 data bytes each):
// no field takes more than its block or its SMS area holds, the record keeps its rules, each
// DTMF code is what its last frame said and each SMS text what the last unbroken run of its
// area's eight blocks said, and whatever came before, a whole image sent afterwards leaves
// exactly that image's record.
#include "FuzzChecks.h"
#include "sim/DemoConfiguration.h"
#include "transfer/FrameDecoder.h"
#include "transfer/ImageEncoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

using namespace qolmex;

namespace {

struct Frame {
    std::uint16_t address;
    BlockData data;
};

std::string text(const BlockData& data, std::size_t from, std::size_t count) {
    return {data.begin() + static_cast<std::ptrdiff_t>(from),
            data.begin() + static_cast<std::ptrdiff_t>(from + count)};
}

// What the frames should have left in the DTMF codes and SMS texts, worked out from the
// whole sequence at once rather than frame by frame. Frames outside the SMS range do not
// break a run; any frame inside it that is not the next block does.
std::map<std::string_view, std::string> expectedTexts(const std::vector<Frame>& frames) {
    std::map<std::string_view, std::string> expected;
    for (const Frame& f : frames)
        for (const NamedBlock& dtmf : dtmfBlocks)
            if (f.address == dtmf.address)
                expected[dtmf.field] =
                    text(f.data, 1, std::min<std::size_t>(f.data[0], image::phoneCapacity));

    std::vector<const Frame*> sms;
    for (const Frame& f : frames)
        if (f.address >= image::smsAreasBase && f.address < image::imageSize)
            sms.push_back(&f);
    for (std::size_t i = 0; i + image::blocksPerSmsArea <= sms.size(); ++i) {
        const std::uint16_t base = sms[i]->address;
        bool run = base % image::smsAreaSize == 0;
        for (std::size_t k = 1; run && k < image::blocksPerSmsArea; ++k)
            run = sms[i + k]->address == base + blockSize * k;
        if (!run)
            continue;
        std::string gathered = text(sms[i]->data, 1, blockSize - 1);
        for (std::size_t k = 1; k < image::blocksPerSmsArea; ++k)
            gathered += text(sms[i + k]->data, 0, blockSize);
        const std::size_t length = std::min<std::size_t>(sms[i]->data[0], image::smsCapacity);
        expected[smsAreas[(base - image::smsAreasBase) / image::smsAreaSize].field] =
            gathered.substr(0, length);
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Configuration demo = demoConfiguration();
    static const std::vector<Block> demoImage = encodeImage(demo);
    constexpr std::size_t frameSize = 2 + blockSize;

    std::vector<Frame> frames;
    for (std::size_t at = 0; at + frameSize <= size; at += frameSize) {
        Frame f{static_cast<std::uint16_t>(data[at] << 8 | data[at + 1]), {}};
        std::copy_n(data + at + 2, blockSize, f.data.begin());
        frames.push_back(f);
    }
    Configuration config;
    FrameDecoder decoder(config);
    for (const Frame& f : frames)
        decoder.apply(f.address, f.data);

    const auto expected = expectedTexts(frames);
    for (const NamedBlock& field : dtmfBlocks)
        fuzz::require(config.text(field.field) ==
                          (expected.contains(field.field) ? expected.at(field.field) : ""),
                      "a DTMF code is not what its last frame said");
    for (const NamedBlock& field : smsAreas)
        fuzz::require(config.text(field.field) ==
                          (expected.contains(field.field) ? expected.at(field.field) : ""),
                      "an SMS text is not what the last whole run of its area said");

    fuzz::requireRecordRules(config);
    for (FieldId id = 0; id < config.size(); ++id) {
        const FieldDef& def = config.definition(id);
        const std::size_t length = config.text(id).size();
        if (def.kind == FieldKind::SmsText)
            fuzz::require(length <= image::smsCapacity, "an SMS text longer than its area");
        else if (def.kind != FieldKind::WholeNumber && def.kind != FieldKind::Polarity)
            fuzz::require(length <= image::phoneCapacity, "a number longer than its block");
    }

    for (const Block& block : demoImage)
        decoder.apply(block);
    fuzz::require(config == demo, "earlier frames leak into a whole image read after them");
    return 0;
}
