#include "BridgeTurns.h"
#include "CliTexts.h"
#include "Commands.h"
#include "CsvLog.h"
#include "DoneLine.h"
#include "Interrupt.h"
#include "JsonWriter.h"
#include "PortWatch.h"
#include "SafeText.h"
#include "SettingsFiles.h"
#include "config/Configuration.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ValidationMessage.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <list>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace qolmex::cli {
namespace {

// One unit being programmed on a thread of its own, with its own link, transfer state and
// connection, tied to exactly the bridge the device list showed.
struct Job {
    BridgeEntry bridge;
    std::string key;
    ProgrammingResult result;
    double seconds = 0;
    std::atomic<bool> done{false};
    std::thread thread;

    Job() = default;
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;
    ~Job() {
        if (thread.joinable()) // whatever ended the batch, no thread is left running
            thread.join();
    }
};

std::string secondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
}

// Production mode: looks at the device list twice a second and programs every unit that
// appears, each on a thread of its own.
class Batch {
public:
    Batch(CommandContext& context, const Configuration& config, CsvLog& log)
        : context_(context), line_(context.line), config_(config), log_(log),
          access_(context.access()), options_(context.programmingOptions()),
          count_(context.line.count.value_or(0)) {}

    void run();

private:
    unsigned presses() const { return context_.env.interrupted ? context_.env.interrupted() : 0; }
    bool over() const {
        return presses() > 0 || !stopReason_.empty() || (count_ != 0 && finished_ >= count_);
    }
    void look();
    void start(const BridgeEntry& bridge);
    void runJob(Job& job);
    void collect();
    void report(const Job& job);
    void tell(const std::string& text);

    CommandContext& context_;
    const CommandLine& line_;
    const Configuration& config_;
    CsvLog& log_;
    UnitAccess& access_;
    const ProgrammingOptions options_;
    const unsigned count_; // 0: until Ctrl+C

    std::list<Job> running_;
    BridgeTurns turns_;
    std::map<std::string, std::unique_ptr<PortWatch>> watches_;
    unsigned started_ = 0;
    unsigned finished_ = 0;
    bool anyFailed_ = false;
    bool toldWaiting_ = false;
    std::string stopReason_; // what ends the batch before its count: the log, a port
    int stopExit_ = exitTransfer;
    std::mutex errLock_; // the jobs tell on standard error too
    JsonWriter units_;
};

void Batch::run() {
    units_.beginArray();
    const auto sleep = context_.env.sleep ? context_.env.sleep : [](std::chrono::milliseconds t) {
        std::this_thread::sleep_for(t);
    };
    constexpr std::chrono::milliseconds pollEvery{500};
    while (!over()) {
        collect();
        if (over())
            break;
        look();
        if (running_.empty() && !toldWaiting_ && context_.text() && !line_.quiet) {
            tell(texts::batchWaiting);
            toldWaiting_ = true;
        }
        sleep(pollEvery);
    }
    // The first Ctrl+C stops every transfer but a Send writing its blocks, which the second
    // one stops too; each thread ends on it.
    watches_.clear();
    for (Job& job : running_)
        job.thread.join();
    collect();
    units_.endArray();
    context_.report.batchUnits = units_.text();

    if (presses() > 0)
        context_.report.fail("interrupted", exitInterrupted, texts::interrupted);
    else if (!stopReason_.empty())
        context_.report.fail("failed", stopExit_, stopReason_);
    else if (anyFailed_)
        context_.report.fail("failed", exitTransfer, texts::batchSomeFailed);
}

void Batch::look() {
    const std::vector<BridgeEntry> bridges = access_.listBridges();
    std::vector<const BridgeEntry*> wanted;
    std::set<std::string> present;
    for (const BridgeEntry& bridge : bridges) {
        if (context_.isWanted(bridge)) {
            wanted.push_back(&bridge);
            present.insert(bridge.key());
        }
    }
    const bool doubtful = access_.listingFailed() || bridges.empty();
    for (const std::string& key : turns_.listed(present, doubtful))
        watches_.erase(key); // unplugged: a unit on it is a new one

    for (const BridgeEntry* bridge : wanted) {
        const std::string key = bridge->key();
        const bool busy = std::any_of(running_.begin(), running_.end(),
                                      [&](const Job& j) { return j.key == key; });
        if (busy || (count_ != 0 && started_ >= count_))
            continue;
        if (turns_.hadTurn(key)) {
            auto& watch = watches_[key];
            if (!watch)
                watch = std::make_unique<PortWatch>(access_, *bridge);
            const PortWatch::Heard heard = watch->listen();
            if (heard == PortWatch::Heard::CannotWatch) {
                stopReason_ =
                    texts::cannotWatch + terminalText(key) + " (" + watch->failure() + ")";
                stopExit_ = exitNoUnit;
                return;
            }
            if (heard == PortWatch::Heard::Nothing)
                continue;
            watches_.erase(key); // the line goes to the job
            turns_.forget(key);
        }
        start(*bridge);
    }
}

void Batch::start(const BridgeEntry& bridge) {
    Job& job = running_.emplace_back();
    job.bridge = bridge;
    job.key = bridge.key();
    job.thread = std::thread(&Batch::runJob, this, std::ref(job));
    ++started_;
}

void Batch::runJob(Job& job) {
    const auto start = std::chrono::steady_clock::now();
    try {
        auto link = access_.link(job.bridge);
        UnitSession session(*link, job.bridge, context_.env.interrupted, nullptr,
                            [this, &job](const std::string& notice) {
                                tell(terminalText(job.key) + ": " + notice);
                            });
        job.result = programUnit(session, job.bridge.serialNumber, config_, options_);
    } catch (const std::exception& error) {
        job.result.result = "failed";
        job.result.exit = exitTransfer;
        job.result.message = error.what();
    }
    job.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    job.done = true;
}

void Batch::tell(const std::string& text) {
    std::lock_guard lock(errLock_);
    context_.env.err << text << "\n" << std::flush;
}

void Batch::collect() {
    for (auto it = running_.begin(); it != running_.end();) {
        if (!it->done) {
            ++it;
            continue;
        }
        if (it->thread.joinable())
            it->thread.join();
        ++finished_;
        anyFailed_ = anyFailed_ || !it->result.ok();
        turns_.done(it->key);
        report(*it);
        it = running_.erase(it);
        toldWaiting_ = false;
    }
}

void Batch::report(const Job& job) {
    const ProgrammingResult& r = job.result;
    const std::string seconds = secondsText(job.seconds);
    if (!line_.log.empty() && stopReason_.empty() &&
        !log_.append(
            {context_.env.now().iso8601(), job.key, r.result, seconds, r.backup, r.message})) {
        stopReason_ = texts::logFailed + line_.log + " (" + log_.failure() + ")";
        stopExit_ = exitTransfer;
    }
    const char* deed = !r.ok()           ? texts::batchFailed
                       : options_.verify ? texts::batchSentAndVerified
                                         : texts::batchSent;
    if (context_.text())
        context_.env.out << terminalText(job.key) << "\t" << deed << "\t"
                         << secondsForPeople(job.seconds) << " s" << (r.message.empty() ? "" : "\t")
                         << r.message << "\n"
                         << std::flush;
    units_.beginObject();
    units_.member("serial", job.key);
    units_.member("result", r.result);
    units_.member("exit", r.exit);
    if (!r.message.empty())
        units_.member("message", r.message);
    if (!r.backup.empty())
        units_.member("backup", r.backup);
    units_.member("seconds", job.seconds);
    units_.endObject();
}

} // namespace

void batchCommand(CommandContext& context) {
    const CommandLine& line = context.line;
    const std::string& path = line.arguments[0];
    Configuration config;
    if (!loadConfigurationFile(config, path))
        return context.report.fail("failed", exitUsage, texts::unreadable + path);
    if (const auto error = validateForUnit(config))
        return context.report.fail("refused", exitDiffers, validationMessage(*error));
    CsvLog log;
    if (!line.log.empty() && !log.open(line.log))
        return context.report.fail("failed", exitTransfer,
                                   texts::logFailed + line.log + " (" + log.failure() + ")");
    // Ctrl+C is the batch's to judge from start to end, waits included.
    InterruptShield batchRuns;
    Batch(context, config, log).run();
}

} // namespace qolmex::cli
