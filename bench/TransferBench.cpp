// Times whole Sends and Reads through the main window's buttons and the real progress
// dialogs, against the virtual unit: paced in real time at 9600 baud for the wall time next
// to what the wire allows, and answering instantly for the program's own CPU time per block.
//
//     QT_QPA_PLATFORM=offscreen build-bench/bench/qolmex70-bench
//
// With --cpu-only the paced runs (about a minute) are left out. Exit status 0 when every
// transfer succeeded and every target was met.
#include "BenchConfiguration.h"

#include "app/TfMain.h"
#include "sim/Clock.h"
#include "sim/DemoConfiguration.h"
#include "sim/VirtualUnit.h"
#include "transfer/ImageEncoder.h"

#include <QApplication>
#include <QStringList>

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/resource.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace qolmex;
using namespace std::chrono_literals;

namespace {

constexpr double baud = 9600;
constexpr double bitsPerByte = 10;
constexpr int sendFrames = 255; // 254 image blocks and the clock block
constexpr int readFrames = 256;
// Identity, start byte and its answer, then each frame with its echo or acknowledgement.
constexpr double sendWireBytes = 8 + 1 + 16 + sendFrames * (18 + 16);
constexpr double readWireBytes = 8 + 1 + 16 + readFrames * (1 + 18);
constexpr double sendWireLimit = sendWireBytes * bitsPerByte / baud;
constexpr double readWireLimit = readWireBytes * bitsPerByte / baud;

constexpr double wallTolerance = 0.02;
constexpr double latencyTolerance = 0.05; // the bridge's latency timer as Connect leaves it
constexpr double cpuTargetMs = 0.2;
constexpr int cpuRuns = 20;

// One main window with its own device, its messages caught instead of shown.
struct Bench {
    explicit Bench(D2xxLibrary& device) : window(&device) {
        window.setMessageFunction([this](const QString& text) { messages << text; });
        window.show();
        QApplication::processEvents();
    }
    TfMain window;
    QStringList messages;
};

enum class Transfer { Send, Read };

const char* nameOf(Transfer transfer) { return transfer == Transfer::Send ? "Send" : "Read"; }
int framesOf(Transfer transfer) { return transfer == Transfer::Send ? sendFrames : readFrames; }
double wireLimitOf(Transfer transfer) {
    return transfer == Transfer::Send ? sendWireLimit : readWireLimit;
}

const Configuration& plausibleConfiguration() {
    static const Configuration config = [] {
        Configuration c;
        bench::fillPlausibly(c);
        return c;
    }();
    return config;
}

// Send starts from a window holding the configuration and a unit that does not; Read from
// a unit that holds it and a window that does not.
void prepare(Transfer transfer, Bench& bench, VirtualUnit& unit) {
    if (transfer == Transfer::Send) {
        bench::fillPlausibly(bench.window.configuration());
        unit.fillMemory(0);
        return;
    }
    bench.window.btnClearClick();
    QApplication::processEvents();
    storeInUnit(plausibleConfiguration(), unit);
}

void start(Transfer transfer, Bench& bench) {
    if (transfer == Transfer::Send)
        bench.window.btnSendClick();
    else
        bench.window.btnReadClick();
}

// What went wrong, or nothing when the transfer did what it should.
std::string failureOf(Transfer transfer, const Bench& bench, const VirtualUnit& unit) {
    if (!bench.messages.isEmpty())
        return "message \"" + bench.messages.join(" / ").toStdString() + "\"";
    if (transfer == Transfer::Read)
        return bench.window.configuration() == plausibleConfiguration()
                   ? std::string()
                   : "read configuration differs from the stored one";
    for (const Block& block : encodeImage(plausibleConfiguration()))
        if (!std::equal(block.data.begin(), block.data.end(),
                        unit.memory().begin() + block.address))
            return "unit memory differs at block " + std::to_string(block.address);
    return unit.clockBlockWritten() ? std::string() : "clock block not written";
}

const char* successText(Transfer transfer) {
    return transfer == Transfer::Send
               ? "no message, unit memory equals the image, clock block written"
               : "no message, read configuration equals the stored one";
}

double processCpuSeconds() {
#if defined(_WIN32)
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) { // counted in 100 ns
        const auto high = static_cast<unsigned long long>(t.dwHighDateTime);
        return static_cast<double>((high << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#endif
}

struct Outcome {
    double seconds = 0;        // wall time of one transfer
    double cpuMsPerBlock = 0;  // over all runs
    std::string failure;       // of the first run that failed
    bool ok() const { return failure.empty(); }
};

// Runs the transfer on the unit the given number of times through a fresh window; only
// the transfers themselves are timed, not preparing the window or the unit.
Outcome measure(Transfer transfer, VirtualUnit& unit, int runs) {
    Bench bench(unit);
    Outcome outcome;
    double cpu = 0;
    for (int run = 0; run < runs; ++run) {
        prepare(transfer, bench, unit);
        const double cpuBefore = processCpuSeconds();
        const auto wallBefore = std::chrono::steady_clock::now();
        start(transfer, bench);
        outcome.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
        cpu += processCpuSeconds() - cpuBefore;
        if (std::string failure = failureOf(transfer, bench, unit);
            !failure.empty() && outcome.ok())
            outcome.failure = std::move(failure);
        bench.messages.clear();
    }
    outcome.cpuMsPerBlock = cpu * 1000 / (runs * framesOf(transfer));
    return outcome;
}

Outcome paced(Transfer transfer, const UnitPacing& pacing) {
    RealClock clock;
    VirtualUnit unit(clock, {}, pacing);
    return measure(transfer, unit, 1);
}

Outcome instant(Transfer transfer) {
    VirtualClock clock;
    VirtualUnit unit(clock);
    return measure(transfer, unit, cpuRuns);
}

const char* passWord(bool pass) { return pass ? "PASS" : "FAIL"; }

QtMessageHandler standardMessages = nullptr;

// The offscreen platform cannot raise a window and says so each time a dialog is shown.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text == QLatin1String("This plugin does not support raise()"))
        return;
    if (standardMessages)
        standardMessages(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

} // namespace

int main(int argc, char** argv) {
    standardMessages = qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    const bool cpuOnly = QApplication::arguments().contains(QStringLiteral("--cpu-only"));

    constexpr Transfer transfers[] = {Transfer::Send, Transfer::Read};
    struct Latency {
        const char* name;
        UnitPacing pacing;
        bool target; // the way the program meets the bridge: within latencyTolerance
    };
    // The bridge starts at 16 ms; Connect lowers it through the vendor library, the serial
    // driver's low-latency flag does the same; an old library leaves it.
    const Latency latencies[] = {
        {"none", {.atBaudRate = true, .receiveLatency = 0ms}, false},
        {"16->1 ms (D2XX)", {.atBaudRate = true}, true},
        {"1 ms (serial)", {.atBaudRate = true, .serialDriver = true}, true},
        {"16 ms (old D2XX)", {.atBaudRate = true, .latencyTimerCall = false}, false},
    };

    std::printf("Transfer benchmark: whole Send and Read through the main window and its progress\n"
                "dialogs, against the virtual unit at 9600 baud, 10 bits a byte.\n");
    bool allOk = true;
    std::vector<Outcome> withoutLatency;
    struct LatencyOutcome {
        const char* name;
        Transfer transfer;
        Outcome outcome;
    };
    std::vector<LatencyOutcome> withLatency;
    if (!cpuOnly) {
        std::printf("\nWall time, unit paced in real time:\n");
        std::printf("  %-5s %-17s %9s %11s %7s %10s  %s\n", "", "bridge latency", "measured",
                    "wire limit", "ratio", "CPU/block", "check");
        for (const Latency& latency : latencies) {
            for (Transfer transfer : transfers) {
                const Outcome outcome = paced(transfer, latency.pacing);
                std::printf("  %-5s %-17s %7.3f s %9.3f s %7.3f %7.4f ms  %s\n",
                            nameOf(transfer), latency.name, outcome.seconds,
                            wireLimitOf(transfer), outcome.seconds / wireLimitOf(transfer),
                            outcome.cpuMsPerBlock,
                            outcome.ok() ? successText(transfer)
                                         : ("FAILED: " + outcome.failure).c_str());
                std::fflush(stdout);
                allOk = allOk && outcome.ok();
                if (latency.pacing.receiveLatency == 0ms)
                    withoutLatency.push_back(outcome);
                if (latency.target)
                    withLatency.push_back({latency.name, transfer, outcome});
            }
        }
    }

    std::printf("\nProcess CPU time, unit answering at once, %d transfers each:\n", cpuRuns);
    std::vector<Outcome> instantOutcomes;
    for (Transfer transfer : transfers) {
        const Outcome outcome = instant(transfer);
        std::printf("  %s  %.4f ms per block (%d blocks a transfer)  %s\n", nameOf(transfer),
                    outcome.cpuMsPerBlock, framesOf(transfer),
                    outcome.ok() ? successText(transfer) : ("FAILED: " + outcome.failure).c_str());
        allOk = allOk && outcome.ok();
        instantOutcomes.push_back(outcome);
    }

    std::printf("\nTargets:\n");
    for (std::size_t i = 0; i < std::size(transfers); ++i) {
        if (!cpuOnly) {
            const Outcome& wall = withoutLatency[i];
            const double excess = wall.seconds / wireLimitOf(transfers[i]) - 1;
            const bool wallMet = wall.ok() && excess <= wallTolerance;
            std::printf("  %s  %s without bridge latency within %.0f %% of its wire limit "
                        "(%+.2f %%)\n",
                        passWord(wallMet), nameOf(transfers[i]), wallTolerance * 100,
                        excess * 100);
            allOk = allOk && wallMet;
        }
        for (const LatencyOutcome& paced : withLatency) {
            if (paced.transfer != transfers[i])
                continue;
            const double excess = paced.outcome.seconds / wireLimitOf(transfers[i]) - 1;
            const bool met = paced.outcome.ok() && excess <= latencyTolerance;
            std::printf("  %s  %s with bridge latency %s within %.0f %% of its wire limit "
                        "(%+.2f %%)\n",
                        passWord(met), nameOf(transfers[i]), paced.name, latencyTolerance * 100,
                        excess * 100);
            allOk = allOk && met;
        }
        const Outcome& cpu = instantOutcomes[i];
        const bool cpuMet = cpu.ok() && cpu.cpuMsPerBlock < cpuTargetMs;
        std::printf("  %s  %s under %.1f ms CPU per block (%.4f ms)\n", passWord(cpuMet),
                    nameOf(transfers[i]), cpuTargetMs, cpu.cpuMsPerBlock);
        allOk = allOk && cpuMet;
    }
    return allOk ? 0 : 1;
}
