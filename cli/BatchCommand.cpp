#include "CliTexts.h"
#include "Commands.h"
#include "CsvLog.h"
#include "JsonWriter.h"
#include "SettingsFiles.h"
#include "config/Configuration.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ValidationMessage.h"
#include "usb/DeviceConnection.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <list>
#include <set>
#include <thread>

namespace qolmex::cli {
namespace {

// One unit being programmed on a thread of its own, with its own link, transfer state and
// connection.
struct Job {
    std::string serial; // empty for a port that tells none: Connect then goes by description
    std::string key;    // tells units apart: the serial number, else the port
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

void runJob(Job& job, UnitAccess& access, const Configuration& config,
            const ProgrammingOptions& options, const std::function<bool()>& interrupted) {
    const auto start = std::chrono::steady_clock::now();
    try {
        auto link = access.link(job.serial);
        UnitSession session(*link, job.serial, interrupted, nullptr);
        job.result = programUnit(session, job.serial, config, options);
    } catch (const std::exception& error) {
        job.result.result = "failed";
        job.result.exit = exitTransfer;
        job.result.message = error.what();
    }
    job.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    job.done = true;
}

std::string secondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
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
        return context.report.fail("failed", exitUsage, texts::cannotWrite + line.log);

    UnitAccess& access = context.access();
    const ProgrammingOptions options = context.programmingOptions();
    const auto interrupted = [&context] {
        return context.env.interrupted && context.env.interrupted();
    };
    const auto sleep = context.env.sleep ? context.env.sleep : [](std::chrono::milliseconds t) {
        std::this_thread::sleep_for(t);
    };
    const unsigned count = line.count.value_or(0); // 0: until Ctrl+C

    std::list<Job> running;
    std::set<std::string> programmed; // still plugged in after their turn
    unsigned started = 0;
    unsigned finished = 0;
    bool anyFailed = false;
    bool toldWaiting = false;
    JsonWriter units;
    units.beginArray();

    auto collect = [&] {
        for (auto it = running.begin(); it != running.end();) {
            if (!it->done) {
                ++it;
                continue;
            }
            if (it->thread.joinable())
                it->thread.join();
            const ProgrammingResult& r = it->result;
            ++finished;
            anyFailed = anyFailed || !r.ok();
            programmed.insert(it->key);
            const std::string seconds = secondsText(it->seconds);
            if (!line.log.empty())
                log.append({context.env.now().iso8601(), it->key, r.result, seconds, r.backup,
                            r.message});
            if (context.text())
                context.env.out << it->key << "\t"
                                << (r.ok() ? texts::batchDone : texts::batchFailed) << "\t"
                                << seconds << " s" << (r.message.empty() ? "" : "\t")
                                << r.message << "\n"
                                << std::flush;
            units.beginObject();
            units.member("serial", it->key);
            units.member("result", r.result);
            units.member("exit", r.exit);
            if (!r.message.empty())
                units.member("message", r.message);
            if (!r.backup.empty())
                units.member("backup", r.backup);
            units.member("seconds", it->seconds);
            units.endObject();
            it = running.erase(it);
            toldWaiting = false;
        }
    };

    constexpr std::chrono::milliseconds pollEvery{500};
    while (!interrupted() && (count == 0 || finished < count)) {
        collect();
        if (count != 0 && finished >= count)
            break;
        std::set<std::string> present;
        for (const BridgeEntry& bridge : access.listBridges()) {
            if (bridge.description != DeviceConnection::bridgeDescription)
                continue;
            const std::string key =
                bridge.serialNumber.empty() ? bridge.via : bridge.serialNumber;
            present.insert(key);
            const bool busy = std::any_of(running.begin(), running.end(),
                                          [&](const Job& j) { return j.key == key; });
            if (busy || programmed.count(key) || (count != 0 && started >= count))
                continue;
            Job& job = running.emplace_back();
            job.serial = bridge.serialNumber;
            job.key = key;
            job.thread = std::thread(runJob, std::ref(job), std::ref(access), std::cref(config),
                                     std::cref(options), interrupted);
            ++started;
        }
        // A unit taken away may come back, and is then programmed again.
        std::erase_if(programmed, [&](const std::string& s) { return !present.count(s); });
        if (running.empty() && !toldWaiting && context.text() && !line.quiet) {
            context.env.err << texts::batchWaiting << "\n" << std::flush;
            toldWaiting = true;
        }
        sleep(pollEvery);
    }
    // Ctrl+C stops every transfer at once; each thread ends on it.
    for (Job& job : running)
        job.thread.join();
    collect();
    units.endArray();
    context.report.batchUnits = units.text();

    if (interrupted())
        context.report.fail("interrupted", exitInterrupted, texts::interrupted);
    else if (anyFailed)
        context.report.fail("failed", exitTransfer, texts::batchSomeFailed);
}

} // namespace qolmex::cli
