// A whole Send against a unit whose every answer comes from the input: it ends, the window
// is usable again, and a Send that ends without a word has had every block of the image and
// the clock block echoed back exactly.
#include "TransferRun.h"
#include "sim/DemoConfiguration.h"
#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ImageEncoder.h"
#include "transfer/SendSequence.h"

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

using namespace qolmex;

namespace {

std::string frameOf(const Block& block) {
    std::string frame{static_cast<char>(block.address >> 8), static_cast<char>(block.address)};
    return frame.append(block.data.begin(), block.data.end());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Configuration config = demoConfiguration();
    static const LocalDateTime when{2011, 3, 5, 7, 9};
    static const std::set<std::string> frames = [] {
        std::set<std::string> f;
        for (const Block& block : encodeImage(config))
            f.insert(frameOf(block));
        f.insert(frameOf(Block{image::clockAddress, clockBlock(when).data}));
        return f;
    }();

    fuzz::TransferRun run({data, size});
    SendSequence(run.state, run.connection, run.dialog, run.host, [] { return when; }).run(config);
    run.requireIdle();

    std::set<std::string> echoed;
    const auto& calls = run.unit.calls();
    for (std::size_t i = 0; i + 1 < calls.size(); ++i)
        if (calls[i].isWrite && calls[i].bytes.size() == 18 && !calls[i + 1].isWrite &&
            calls[i + 1].bytes == calls[i].bytes.substr(2))
            echoed.insert(calls[i].bytes);
    if (!run.told())
        fuzz::require(run.stornoPressed ? echoed.empty() : echoed == frames,
                      "a Send ended silently without every block confirmed");
    return 0;
}
