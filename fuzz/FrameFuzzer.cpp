// The frame decoder fed any sequence of frames (two address bytes and 16 data bytes each):
// no field takes more than its block or its SMS area holds, the record keeps its rules, and
// whatever came before, a whole image sent afterwards leaves exactly that image's record.
#include "FuzzChecks.h"
#include "sim/DemoConfiguration.h"
#include "transfer/FrameDecoder.h"
#include "transfer/ImageEncoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace qolmex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Configuration demo = demoConfiguration();
    static const std::vector<Block> demoImage = encodeImage(demo);
    constexpr std::size_t frameSize = 2 + blockSize;

    Configuration config;
    FrameDecoder decoder(config);
    for (std::size_t at = 0; at + frameSize <= size; at += frameSize) {
        BlockData block{};
        std::copy_n(data + at + 2, blockSize, block.begin());
        decoder.apply(static_cast<std::uint16_t>(data[at] << 8 | data[at + 1]), block);
    }

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
