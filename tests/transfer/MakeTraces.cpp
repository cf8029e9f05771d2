// Writes the recorded cases of the replay tests: the virtual unit, paced at 9600 baud on a
// virtual clock, with one fault each, traced as the program traces a real unit.
//
//     build-test/tests/transfer/qolmex70-make-traces tests/transfer/traces
#include "sim/DemoConfiguration.h"
#include "sim/VirtualUnit.h"
#include "support/SequenceRun.h"
#include "usb/TracingD2xx.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace qolmex;

namespace {

enum class Kind { Send, Read };

void record(const std::filesystem::path& file, Kind kind, const UnitFaults& faults) {
    VirtualClock clock;
    VirtualUnit unit(clock, faults, UnitPacing{.atBaudRate = true});
    storeInUnit(demoConfiguration(), unit);
    std::ofstream out(file, std::ios::binary);
    TracingD2xx traced(unit, out, [&clock] { return clock.now(); });
    testing::SequenceRun run(traced, clock);
    Configuration config = demoConfiguration();
    const std::string verdict = kind == Kind::Send ? run.send(config) : run.read(config);
    std::printf("%s: %s\n", file.string().c_str(), verdict.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qolmex70-make-traces FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    // The echo of the 200th block comes back with one byte changed; the block goes again.
    record(folder / "send-corrupted-echo.trace", Kind::Send, {.corruptEchoEvery = 200});
    // The unit stops after 40 frames of its memory; the read gives up after the stall limit.
    record(folder / "read-stall.trace", Kind::Read, {.stallAfterFrames = 40u});
    return 0;
}
