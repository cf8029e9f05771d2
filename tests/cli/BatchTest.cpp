#include "CliFixture.h"
#include "cli/CsvLog.h"
#include "cli/HardwareAccess.h"
#include "cli/TerminalTransfer.h"
#include "sim/DemoConfiguration.h"
#include "support/VirtualBridges.h"

#ifndef _WIN32
#include "support/PtyUnitServer.h"

#include <sys/resource.h>
#endif

#include <csignal>
#include <set>
#include <sstream>

namespace qolmex::cli {
namespace {

// Production mode, where several transfers run at once (the test command runs these once more
// under ThreadSanitizer).
class BatchTest : public CliTest {};

std::vector<std::vector<std::string>> csvLines(const std::string& path) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(testing::readBytes(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, ',');)
            fields.push_back(cell);
        lines.push_back(fields);
    }
    return lines;
}

TEST_F(BatchTest, BatchProgramsUnitAfterUnitAndLogsEach) {
    access.addUnit("QX");
    access.replaceUsedUnits(3); // each unit done is swapped for the next
    const std::string log = folder.file("log.csv");
    const std::string file = saved(demoConfiguration(), "demo.kvx");

    EXPECT_EQ(run({"batch", file, "--log", log, "--count", "3"}), 0) << err.str();
    const auto lines = csvLines(log);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], (std::vector<std::string>{"time", "serial", "result", "seconds",
                                                  "backup", "message"}));
    EXPECT_EQ(lines[1][0], "2026-12-08T14:30:05");
    EXPECT_EQ(lines[1][1], "QX");
    EXPECT_EQ(lines[3][1], "QX-3");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i][2], "ok");
        EXPECT_TRUE(std::filesystem::exists(lines[i][4])) << lines[i][4];
    }
    for (std::size_t i = 0; i < access.unitCount(); ++i)
        EXPECT_EQ(access.unit(i).memory(), unitMemoryOf(demoConfiguration()));

    // A second run appends without a second header.
    access.addUnit("QY");
    EXPECT_EQ(run({"batch", file, "--log", log, "--count", "1", "--no-backup"}), 0);
    EXPECT_EQ(csvLines(log).size(), 5u);
}

TEST_F(BatchTest, AFailingUnitDoesNotStopTheOthers) {
    for (const char* serial : {"A1", "A2", "A3"})
        access.addUnit(serial);
    access.addUnit("BAD", {.stallAfterFrames = 20u});
    const std::string log = folder.file("log.csv");

    EXPECT_EQ(run({"--json", "batch", saved(demoConfiguration(), "demo.kvx"), "--log", log,
                   "--count", "4", "--no-backup"}),
              4);
    const nlohmann::json report = json();
    EXPECT_EQ(report["result"], "failed");
    ASSERT_EQ(report["units"].size(), 4u);
    int ok = 0;
    for (const auto& unit : report["units"]) {
        const bool bad = unit["serial"] == "BAD";
        EXPECT_EQ(unit["exit"], bad ? 4 : 0);
        ok += unit["result"] == "ok";
    }
    EXPECT_EQ(ok, 3);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(access.unit(i).memory(), unitMemoryOf(demoConfiguration()));
    EXPECT_EQ(csvLines(log).size(), 5u);
    // The stall message holds a comma, so its field is quoted.
    EXPECT_NE(testing::readBytes(log).find(
                  ",\"Zariadenie prestalo odpovedať, prenos dát bol prerušený !\"\r\n"),
              std::string::npos);
}

TEST_F(BatchTest, AUnitStillAttachedIsNotProgrammedTwice) {
    VirtualUnit& unit = access.addUnit("QX");
    interruptWhen = [this] { return polls > 150; };
    EXPECT_EQ(run({"batch", saved(demoConfiguration(), "demo.kvx"), "--count", "2"}), 130);
    EXPECT_EQ(unit.receivedFrameAddresses().size(), 255u); // one Send only
    EXPECT_NE(out.str().find("QX\todoslané a skontrolované\t"), std::string::npos)
        << out.str() << err.str();
}

TEST_F(BatchTest, CtrlCStopsEveryUnitOfABatch) {
    access.addUnit("A1");
    access.addUnit("A2");
    std::atomic<int> asked{0};
    interruptWhen = [&asked] { return ++asked > 300; };
    const std::string log = folder.file("log.csv");
    EXPECT_EQ(run({"--json", "batch", saved(demoConfiguration(), "demo.kvx"), "--log", log}), 130)
        << out.str();
    const auto lines = csvLines(log);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1][2], "interrupted");
    EXPECT_EQ(lines[2][2], "interrupted");
    EXPECT_FALSE(access.unit(0).isOpen());
    EXPECT_FALSE(access.unit(1).isOpen());
}

// Two bridges on the serial driver and two through the vendor library, none with a serial
// number: each unit is programmed once, through its own port or location, and keeps a
// backup of its own.
TEST_F(BatchTest, BridgesWithoutSerialNumbersAreEachProgrammedOnce) {
    testing::VirtualBridges hub;
    const std::vector<VirtualUnit*> units = {
        &hub.addPort("/dev/ttyUSB0", ""), &hub.addPort("/dev/ttyUSB1", ""),
        &hub.addVendorBridge("", 0x1011), &hub.addVendorBridge("", 0x1012)};
    makeAccess = [&hub](const CommandLine& line) {
        return std::make_unique<HardwareAccess>(line.port, hub.backends());
    };

    EXPECT_EQ(run({"--json", "batch", saved(demoConfiguration(), "demo.kvx"), "--count", "4"}), 0)
        << out.str();
    for (const VirtualUnit* unit : units) {
        EXPECT_EQ(unit->memory(), unitMemoryOf(demoConfiguration()));
        EXPECT_EQ(unit->receivedFrameAddresses().size(), 255u); // one Send, not two
    }
    std::set<std::string> keys;
    std::set<std::string> backups;
    const nlohmann::json report = json();
    for (const auto& unit : report["units"]) {
        keys.insert(unit["serial"]);
        backups.insert(unit["backup"]);
    }
    EXPECT_EQ(keys,
              (std::set<std::string>{"/dev/ttyUSB0", "/dev/ttyUSB1", "D2XX@1011", "D2XX@1012"}));
    EXPECT_EQ(backups.size(), 4u);
    for (const std::string& backup : backups)
        EXPECT_TRUE(std::filesystem::exists(testing::pathOf(backup))) << backup;
}

TEST_F(BatchTest, ASerialNumberLimitsTheBatchToThatBridge) {
    access.addUnit("A1");
    VirtualUnit& wanted = access.addUnit("A2");
    access.addUnit("A3");
    EXPECT_EQ(run({"--serial", "A2", "batch", saved(demoConfiguration(), "demo.kvx"), "--count",
                   "1", "--no-backup"}),
              0)
        << err.str();
    EXPECT_EQ(wanted.memory(), unitMemoryOf(demoConfiguration()));
    EXPECT_EQ(access.unit(0).successfulOpens(), 0u);
    EXPECT_EQ(access.unit(2).successfulOpens(), 0u);
}

// The device list as a test scripts it, look by look, once the first unit's turn is over (its
// link released); the units behind it are the virtual ones.
class ScriptedList : public UnitAccess {
public:
    struct Listing {
        std::vector<BridgeEntry> bridges;
        bool failed = false;
    };
    using Script = std::function<Listing(int look, const std::vector<BridgeEntry>& attached)>;

    ScriptedList(UnitAccess& units, Script script) : units_(units), script_(std::move(script)) {}

    std::vector<BridgeEntry> listBridges() override {
        const std::vector<BridgeEntry> attached = units_.listBridges();
        if (releases_ == 0)
            return attached;
        Listing listing = script_(looksAfter_++, attached);
        failed_ = listing.failed;
        return listing.bridges;
    }
    bool listingFailed() const override { return releases_ != 0 && failed_; }
    std::unique_ptr<UnitLink> link(const BridgeEntry& bridge) override {
        return std::make_unique<Counted>(units_.link(bridge), releases_);
    }
    int looksAfterFirstTurn() const { return looksAfter_; }

private:
    class Counted : public UnitLink {
    public:
        Counted(std::unique_ptr<UnitLink> link, std::atomic<int>& releases)
            : link_(std::move(link)), releases_(releases) {}
        ~Counted() override {
            link_.reset();
            ++releases_;
        }
        D2xxLibrary& library() override { return link_->library(); }
        std::chrono::milliseconds now() override { return link_->now(); }

    private:
        std::unique_ptr<UnitLink> link_;
        std::atomic<int>& releases_;
    };

    UnitAccess& units_;
    Script script_;
    std::atomic<int> releases_{0};
    std::atomic<int> looksAfter_{0};
    bool failed_ = false;
};

// A device list that fails, or comes back empty for a moment, does not make a unit that stays
// attached look unplugged: it gets no second turn. Missing from two lists in a row, or from
// one that shows other bridges and no error, it was unplugged and its next unit is taken.
TEST_F(BatchTest, ADoubtfulDeviceListDoesNotMakeAFinishedUnitLookUnplugged) {
    const BridgeEntry other{
        VirtualUnit::description, "OTHER", BridgeEntry::viaVendorLibrary, true, {}, {}};
    struct Case {
        const char* name;
        std::vector<bool> shown; // whether the unit is in the list, look after look, repeated
        bool withOther;
        bool failed;
        std::size_t turns;
    };
    const Case cases[] = {
        {"one empty list", {true, false}, false, false, 1},
        {"one failed list", {true, false}, true, true, 1},
        {"two empty lists", {true, false, false}, false, false, 2}, // and maybe more turns
        {"a list of others", {true, false}, true, false, 2},
    };
    const std::string file = saved(demoConfiguration(), "demo.kvx");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualAccess units(VirtualAccess::Timing::Virtual);
        units.addUnit("QX");
        ScriptedList list(units, [&](int look, const std::vector<BridgeEntry>& attached) {
            ScriptedList::Listing listing;
            if (c.shown[static_cast<std::size_t>(look) % c.shown.size()])
                listing.bridges = attached;
            if (c.withOther)
                listing.bridges.push_back(other);
            listing.failed = c.failed;
            return listing;
        });
        makeAccess = [&list](const CommandLine&) { return std::make_unique<BorrowedAccess>(list); };
        interruptWhen = [&list] { return list.looksAfterFirstTurn() > 12 ? 1u : 0u; };
        EXPECT_EQ(run({"--json", "--serial", "QX", "batch", file, "--no-backup", "--no-verify"}),
                  130);
        if (c.turns == 1)
            EXPECT_EQ(json()["units"].size(), 1u) << out.str();
        else
            EXPECT_GE(json()["units"].size(), c.turns) << out.str();
    }
}

#ifndef _WIN32
TEST_F(BatchTest, APortThatDoesNotExistIsNoUnit) {
    makeAccess = [](const CommandLine& line) {
        return std::make_unique<HardwareAccess>(line.port);
    };
    EXPECT_EQ(run({"--port", folder.file("ttyNONE"), "list"}), 3);
    EXPECT_EQ(run({"--port", folder.file("ttyNONE"), "read", "-o", folder.file("r.kvx")}), 3);
}

// A port that stays while units are swapped at the far end of its cable: the next unit is
// taken when it says who it is on the line held open.
TEST_F(BatchTest, OnAPortThatStaysTheNextUnitIsTakenWhenItIdentifiesItself) {
    PtyPair pty;
    ASSERT_TRUE(pty.ok());
    PtyUnitServer server(pty, {}, UnitPacing{false, Clock::Duration{0}, false, false});
    makeAccess = [](const CommandLine& line) {
        return std::make_unique<HardwareAccess>(line.port);
    };
    std::atomic<bool> giveUp{false};
    interruptWhen = [&giveUp] { return giveUp ? 1u : 0u; };
    const std::string file = saved(demoConfiguration(), "demo.kvx");
    std::atomic<int> exit{-1};
    std::thread batch([&] {
        exit = run({"--port", pty.slavePath(), "batch", file, "--count", "2", "--no-backup",
                    "--no-verify"});
    });
    const auto waitFor = [&server](int sessions) {
        for (int i = 0; i < 30000 && server.sessions() < sessions; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return server.sessions() >= sessions;
    };
    // The first unit's Send, then the batch holding the line open and listening.
    const bool listening = waitFor(2);
    // The unit still attached answered the opening; a unit that speaks later is a new one.
    std::this_thread::sleep_for(TerminalTransfer::replyTick + std::chrono::milliseconds(500));
    server.plugNextUnit();
    const bool second = waitFor(3);
    for (int i = 0; i < 30000 && exit < 0; ++i) // ends by itself after the second unit
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    giveUp = true;
    batch.join();
    server.stop();
    EXPECT_TRUE(listening);
    EXPECT_TRUE(second);
    EXPECT_EQ(exit, 0) << out.str() << err.str();
    EXPECT_EQ(server.unit().receivedFrameAddresses().size(), 2 * 255u);
}
#endif

// A bridge that stays attached but that nobody can listen to any more (another program took
// it) cannot bring a next unit: the batch says so and ends instead of waiting for ever.
TEST_F(BatchTest, ABatchEndsWhenAPortThatStaysCannotBeListenedTo) {
    access.addUnit("QX", {.takenAfterOpens = 2u}); // the probe and the Send's open
    interruptWhen = [this] { return polls > 200 ? 1u : 0u; };
    EXPECT_EQ(run({"--json", "batch", saved(demoConfiguration(), "demo.kvx"), "--no-backup",
                   "--no-verify"}),
              3)
        << out.str();
    EXPECT_EQ(json()["units"].size(), 1u);
    EXPECT_NE(json()["message"].get<std::string>().find("QX"), std::string::npos);
}

#ifndef _WIN32
TEST_F(BatchTest, ALogThatCannotBeWrittenEndsTheBatchWithItsReason) {
    access.addUnit("QX");
    const std::string file = saved(demoConfiguration(), "demo.kvx");
    EXPECT_EQ(run({"--json", "batch", file, "--log", "/dev/full", "--no-backup"}), 4);
    EXPECT_EQ(json()["result"], "failed");
    EXPECT_NE(json()["message"].get<std::string>().find("/dev/full ("), std::string::npos);
    EXPECT_EQ(access.unit(0).successfulOpens(), 0u);

    // A disk that fills up after the header: the unit's line is the first that cannot go in.
    const std::string log = folder.file("log.csv");
    testing::writeBytes(log, std::string(CsvLog::header) + "\r\n");
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    const auto oldAction = std::signal(SIGXFSZ, SIG_IGN);
    rlimit full = before;
    full.rlim_cur = std::filesystem::file_size(testing::pathOf(log));
    ::setrlimit(RLIMIT_FSIZE, &full);
    const int exit = run({"--json", "batch", file, "--log", log, "--no-backup", "--no-verify"});
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldAction);
    EXPECT_EQ(exit, 4);
    EXPECT_EQ(json()["result"], "failed");
    EXPECT_EQ(json()["units"].size(), 1u);
    EXPECT_EQ(access.unit(0).memory(), unitMemoryOf(demoConfiguration()));
}
#endif

} // namespace
} // namespace qolmex::cli
