// --trace and --virtual-replay: a trace of what the command line did, replayed to it.
#include "CliFixture.h"
#include "cli/ReplayAccess.h"
#include "sim/DemoConfiguration.h"
#include "transfer/TransferTexts.h"
#include "usb/TraceFormat.h"

#include <filesystem>

namespace qolmex::cli {
namespace {

std::vector<std::string> verdictsIn(const std::string& path) {
    std::ifstream in(testing::pathOf(path));
    std::vector<std::string> verdicts;
    for (const trace::Event& e : trace::parse(in).events)
        if (e.kind == trace::Event::Kind::Verdict)
            verdicts.push_back(e.verdict);
    return verdicts;
}

class Support : public CliTest {
protected:
    // The next runs talk to the unit the trace recorded, on a virtual clock.
    void replay(const std::string& trace) { replayed = trace; }
    int runReplayed(std::vector<std::string> arguments) {
        // Each run replays the trace from its start.
        arguments.insert(arguments.begin(), "--virtual-replay=" + replayed);
        const std::string path = replayed;
        return runWith(std::move(arguments), [path](const CommandLine&) {
            return std::make_unique<ReplayAccess>(path, VirtualAccess::Timing::Virtual);
        });
    }
    int runWith(std::vector<std::string> arguments,
                std::function<std::unique_ptr<UnitAccess>(const CommandLine&)> make) {
        out.str("");
        err.str("");
        CliEnvironment env(out, err);
        env.backupFolder = folder.file("backups");
        env.now = [] { return Timestamp{2026, 12, 8, 14, 30, 5}; };
        env.makeAccess = std::move(make);
        return runCli(arguments, env);
    }

    std::string replayed;
};

TEST_F(Support, AWholeSendIsTracedSmallAndReplaysToTheSameEnd) {
    VirtualUnit& unit = access.addUnit("QX1");
    storeInUnit(demoConfiguration(), unit);
    Configuration changed = demoConfiguration();
    changed.setText("editPOV2_1", "+421911000111");
    const std::string kvx = saved(changed, "new.kvx");
    const std::string trace = folder.file("send.trace");

    EXPECT_EQ(run({"--trace", trace, "send", kvx}), 0) << err.str();
    EXPECT_LT(std::filesystem::file_size(testing::pathOf(trace)), 200'000u);
    // Backup, Send, read-back: each a transfer with its verdict.
    EXPECT_EQ(verdictsIn(trace), (std::vector<std::string>{"ok", "ok", "ok"}));

    replay(trace);
    EXPECT_EQ(runReplayed({"send", kvx}), 0) << err.str();
    EXPECT_EQ(err.str().find("Prehrávanie"), std::string::npos) << err.str();

    // Sent otherwise: the unit of the trace still echoes, but gives back what it held then.
    EXPECT_EQ(runReplayed({"send", saved(demoConfiguration(), "other.kvx")}), 5);
    EXPECT_NE(err.str().find("Prehrávanie: riadok "), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("program poslal"), std::string::npos) << err.str();

    // A command that goes well but does less than the trace differs.
    EXPECT_EQ(runReplayed({"--json", "send", kvx, "--no-verify"}), 1);
    EXPECT_EQ(json()["result"], "differs");
}

TEST_F(Support, ARecordedStallReplaysThroughTheCommandLineToTheSameMessage) {
    replay(std::string(TRACES_DIR) + "/read-stall.trace");
    EXPECT_EQ(runReplayed({"--json", "read", "-o", folder.file("r.kvx")}), 4);
    EXPECT_EQ(json()["message"], qolmex::texts::unitStopped);
    EXPECT_EQ(err.str(), "");
}

TEST_F(Support, TraceAndReplayFilesThatCannotBeHadAreUsageErrors) {
    VirtualUnit& unit = access.addUnit("QX1");
    EXPECT_EQ(
        run({"--trace", folder.file("no/such/folder/t.trace"), "read", "-o", folder.file("r.kvx")}),
        2);
    EXPECT_EQ(unit.successfulOpens(), 0u);

    testing::writeBytes(folder.file("bad.trace"), "     1.000 FT_OpenEx description\n");
    replay(folder.file("bad.trace"));
    EXPECT_EQ(runReplayed({"--json", "read", "-o", folder.file("r.kvx")}), 2);
    EXPECT_NE(json()["message"].get<std::string>().find("riadku 1"), std::string::npos);
    EXPECT_EQ(run({"--virtual", "--virtual-replay=x", "list"}), 2);
}

TEST_F(Support, ProductionModeTracesEachUnitIntoAFileOfItsOwn) {
    access.addUnit("QX1");
    const std::string trace = folder.file("batch.trace");
    EXPECT_EQ(run({"--trace", trace, "batch", saved(demoConfiguration(), "c.kvx"), "--count", "1",
                   "--no-backup", "--no-verify"}),
              0)
        << out.str() << err.str();
    EXPECT_EQ(verdictsIn(folder.file("batch-QX1.trace")), std::vector<std::string>{"ok"});
}

} // namespace
} // namespace qolmex::cli
