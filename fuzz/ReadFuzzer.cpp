// A whole Read against a unit whose every answer comes from the input: it ends, the window
// is usable again, the record keeps its rules, and a Read that ends without a word has
// really taken the frame that ends the image.
#include "TransferRun.h"
#include "transfer/MemoryImage.h"
#include "transfer/ReadSequence.h"

#include <cstddef>
#include <cstdint>

using namespace qolmex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::TransferRun run({data, size});
    Configuration config;
    ReadSequence(run.state, run.connection, run.dialog, run.host).run(config);

    run.requireIdle();
    fuzz::requireRecordRules(config);
    if (run.told() || run.stornoPressed)
        return 0;
    bool ended = false;
    for (const fuzz::ScriptedUnit::Call& call : run.unit.calls())
        if (!call.isWrite && call.bytes.size() == 18)
            ended =
                ended ||
                endsRead(static_cast<std::uint16_t>(static_cast<std::uint8_t>(call.bytes[0]) << 8 |
                                                    static_cast<std::uint8_t>(call.bytes[1])));
    fuzz::require(ended, "a Read ended silently before the end of the image");
    return 0;
}
