#include "CliFixture.h"
#include "sim/DemoConfiguration.h"

#include <sstream>

namespace qolmex::cli {
namespace {

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

TEST_F(CliTest, BatchProgramsUnitAfterUnitAndLogsEach) {
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

TEST_F(CliTest, AFailingUnitDoesNotStopTheOthers) {
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

TEST_F(CliTest, AUnitStillAttachedIsNotProgrammedTwice) {
    VirtualUnit& unit = access.addUnit("QX");
    interruptWhen = [this] { return polls > 150; };
    EXPECT_EQ(run({"batch", saved(demoConfiguration(), "demo.kvx"), "--count", "2"}), 130);
    EXPECT_EQ(unit.receivedFrameAddresses().size(), 255u); // one Send only
    EXPECT_NE(out.str().find("QX\thotovo"), std::string::npos) << out.str() << err.str();
}

TEST_F(CliTest, CtrlCStopsEveryUnitOfABatch) {
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

} // namespace
} // namespace qolmex::cli
