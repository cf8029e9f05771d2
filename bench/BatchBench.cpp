// Production mode against virtual units paced in real time at 9600 baud: the wall time of one
// unit programmed by batch (backup, send, read-back) beside eight units on one "hub" at once.
//
//     build-core/bench/qolmex70-batch-bench [--no-backup] [--no-verify]
//
// The eight should take hardly longer than the one: each has a thread, a transfer state and a
// link of its own, and the waits are on the line, not on the processor. Exit status 0 when
// every unit was programmed and the ratio is within its goal.
#include "BenchConfiguration.h"

#include "cli/Cli.h"
#include "cli/VirtualAccess.h"
#include "config/Configuration.h"
#include "config/ConfigurationFile.h"
#include "sim/DemoConfiguration.h"
#include "sim/VirtualUnit.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace qolmex;
using namespace qolmex::cli;

namespace {

constexpr double ratioGoal = 1.15;

struct Outcome {
    double seconds = 0;
    bool ok = false;
};

Outcome programUnits(unsigned count, const std::string& file, const std::string& folder,
                     const std::vector<std::string>& extra, const Configuration& config) {
    VirtualAccess access;
    for (unsigned i = 1; i <= count; ++i)
        access.addUnit("QX70B" + std::to_string(i));
    access.replaceUsedUnits(count); // a unit done leaves the hub

    std::ostringstream out;
    std::ostringstream err;
    CliEnvironment env(out, err);
    env.backupFolder = folder;
    env.makeAccess = [&access](const CommandLine&) { return std::make_unique<BorrowedAccess>(access); };
    env.sleep = [](std::chrono::milliseconds t) { std::this_thread::sleep_for(t); };

    std::vector<std::string> args{"--quiet", "batch", file, "--count", std::to_string(count)};
    args.insert(args.end(), extra.begin(), extra.end());
    const auto start = std::chrono::steady_clock::now();
    const int exit = runCli(args, env);
    Outcome outcome;
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    outcome.ok = exit == 0;
    const VirtualUnit::Memory expected = unitMemoryOf(config);
    for (std::size_t i = 0; i < access.unitCount(); ++i)
        outcome.ok = outcome.ok && access.unit(i).memory() == expected;
    if (!outcome.ok)
        std::fprintf(stderr, "exit %d\n%s%s", exit, out.str().c_str(), err.str().c_str());
    return outcome;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> extra(argv + 1, argv + argc);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qolmex-batch-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(folder);
    Configuration config;
    bench::fillPlausibly(config);
    const std::string file = (folder / "plausible.kvx").string();
    ConfigurationFile::save(config, file);

    std::printf("Production mode, virtual units paced at 9600 baud%s%s:\n",
                extra.empty() ? " (backup, send, read-back)" : "", extra.empty() ? "" : " with");
    for (const std::string& option : extra)
        std::printf(" %s", option.c_str());
    if (!extra.empty())
        std::printf("\n");
    std::fflush(stdout);

    const Outcome one = programUnits(1, file, (folder / "one").string(), extra, config);
    std::printf("  1 unit   %7.3f s  %s\n", one.seconds, one.ok ? "programmed" : "FAILED");
    std::fflush(stdout);
    const Outcome eight = programUnits(8, file, (folder / "eight").string(), extra, config);
    std::printf("  8 units  %7.3f s  %s\n", eight.seconds, eight.ok ? "all programmed" : "FAILED");

    const double ratio = eight.seconds / one.seconds;
    const bool met = one.ok && eight.ok && ratio <= ratioGoal;
    std::printf("\nTarget:\n  %s  8 units within %.2f times one unit's time (%.3f)\n",
                met ? "PASS" : "FAIL", ratioGoal, ratio);
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return met ? 0 : 1;
}
