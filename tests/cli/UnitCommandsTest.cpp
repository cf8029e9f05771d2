#include "CliFixture.h"
#include "sim/DemoConfiguration.h"
#include "transfer/TransferTexts.h"
#include "usb/DeviceConnection.h"

#include <regex>

namespace qolmex::cli {
namespace {

std::string bytesOf(const VirtualUnit::Memory& memory) {
    return {memory.begin(), memory.end()};
}

Configuration another() {
    Configuration c;
    c.setText("editPOV1_1", "0905111222");
    c.setText("memoSMSZAP1", "Zapni \xe8" "erpadlo"); // "č" in Windows-1250
    c.setText("spinCAS", "12");
    return c;
}

TEST_F(CliTest, ReadSavesAFreshFileAndTheImageAsRead) {
    VirtualUnit& unit = access.addUnit("QX1");
    storeInUnit(demoConfiguration(), unit);
    const std::string kvx = folder.file("read.kvx");
    testing::writeBytes(kvx, "[FOREIGN]\r\nkey=1\r\n");

    EXPECT_EQ(run({"read", "-o", kvx, "--image", folder.file("read.bin")}), 0) << err.str();
    EXPECT_EQ(loaded(kvx), demoConfiguration());
    EXPECT_EQ(testing::readBytes(kvx).find("FOREIGN"), std::string::npos);
    EXPECT_EQ(testing::readBytes(folder.file("read.bin")), bytesOf(unit.memory()));
}

TEST_F(CliTest, SendKeepsABackupThenWritesAndReadsBack) {
    VirtualUnit& unit = access.addUnit("QX1");
    storeInUnit(demoConfiguration(), unit);
    const VirtualUnit::Memory before = unit.memory();

    EXPECT_EQ(run({"--json", "send", saved(another(), "new.kvx")}), 0) << out.str();
    EXPECT_EQ(unit.memory(), unitMemoryOf(another()));
    EXPECT_TRUE(unit.clockBlockWritten());
    // In the folder by the system's own separator.
    const std::string stem =
        testing::utf8Of(testing::pathOf(folder.file("backups")) / "QX1-20261208-143005");
    EXPECT_EQ(loaded(stem + ".kvx"), demoConfiguration());
    EXPECT_EQ(testing::readBytes(stem + ".bin"), bytesOf(before));

    const nlohmann::json report = json();
    EXPECT_EQ(report["result"], "ok");
    EXPECT_EQ(report["unit"]["serial"], "QX1");
    EXPECT_EQ(report["backup"], stem + ".kvx");
    EXPECT_TRUE(report.contains("seconds"));
    EXPECT_FALSE(report.contains("differences"));
}

// In text mode a command that went well ends with one line: what, to which unit, how long.
TEST_F(CliTest, SendReadAndVerifySayInOneLineWhatTheyDidToWhichUnit) {
    access.addUnit("QX1");
    const std::string file = saved(another(), "new.kvx");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"send", file, "--no-backup"}, "Odoslané do zariadenia QX1 a skontrolované"},
        {{"send", file, "--no-backup", "--no-verify"}, "Odoslané do zariadenia QX1"},
        {{"read", "-o", folder.file("read.kvx")}, "Načítané zo zariadenia QX1"},
        {{"verify", file}, "Nastavenia v zariadení QX1 sú rovnaké ako v súbore, skontrolované"},
    };
    for (const auto& [arguments, deed] : cases) {
        EXPECT_EQ(run(arguments), 0) << err.str();
        EXPECT_TRUE(std::regex_match(out.str(), std::regex(deed + R"( za \d+,\d s\.\n)")))
            << out.str();
    }
    // A JSON object stays the only output.
    EXPECT_EQ(run({"--json", "send", file, "--no-backup"}), 0);
    EXPECT_EQ(json()["result"], "ok");
}

TEST_F(CliTest, EachFaultOfTheUnitEndsWithItsExitCodeAndTheWindowsText) {
    struct Case {
        UnitFaults faults;
        int exit;
        std::string message;
    };
    const Case cases[] = {
        {{.noDevice = true}, 3, DeviceConnection::msgNotConnected},
        {{.wrongDeviceType = true}, 3, DeviceConnection::msgWrongDevice},
        {{.wrongIdentity = true}, 3, qolmex::texts::wrongUnit},
        {{.silence = true}, 3, qolmex::texts::wrongUnit},
        {{.noStartAnswer = true}, 4, qolmex::texts::unitStopped}, // bounded, nobody presses Storno
        {{.stallAfterFrames = 30u}, 4, qolmex::texts::unitStopped},
        {{.unplugAfterFrames = 30u}, 4, qolmex::texts::unplugged},
    };
    int n = 0;
    for (const Case& c : cases) {
        for (const char* command : {"read", "send"}) {
            const std::string serial = "F" + std::to_string(++n); // an unplugged one stays so
            access.addUnit(serial, c.faults);
            std::vector<std::string> args{"--serial", serial, "--json", command};
            if (command == std::string("read"))
                args.insert(args.end(), {"-o", folder.file("x.kvx")});
            else
                args.insert(args.end(), {folder.file("new.kvx"), "--no-backup"});
            saved(another(), "new.kvx");
            EXPECT_EQ(run(args), c.exit) << serial << " " << command;
            EXPECT_EQ(json()["message"], c.message) << serial << " " << command;
            EXPECT_EQ(json()["result"], "failed");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.kvx")));
}

TEST_F(CliTest, CorruptedEchoesAreSentAgainAndTheSendSucceeds) {
    VirtualUnit& unit = access.addUnit("QX1", {.corruptEchoEvery = 5, .shortEchoEvery = 7});
    EXPECT_EQ(run({"send", saved(another(), "new.kvx")}), 0) << err.str();
    EXPECT_EQ(unit.memory(), unitMemoryOf(another()));
}

TEST_F(CliTest, AReadBackThatDiffersEndsWithFive) {
    access.addUnit("QX1", {.blankMemory = true}); // stores, but reads out 0xFF everywhere
    EXPECT_EQ(run({"--json", "send", saved(another(), "new.kvx"), "--no-backup"}), 5);
    EXPECT_EQ(json()["result"], "differs");
    EXPECT_FALSE(json()["differences"].empty());
    EXPECT_EQ(run({"send", saved(another(), "new.kvx"), "--no-backup", "--no-verify"}), 0);
}

TEST_F(CliTest, CtrlCStopsATransferAtOnce) {
    VirtualUnit& unit = access.addUnit("QX1");
    storeInUnit(demoConfiguration(), unit);
    // A Send writing its blocks stops only at the second Ctrl+C.
    interruptWhen = [&unit] { return unit.framesSent() >= 40 ? 2u : 0u; };

    EXPECT_EQ(run({"send", saved(another(), "new.kvx"), "--no-backup"}), 130);
    EXPECT_NE(err.str().find("neúplná konfigurácia"), std::string::npos) << err.str();
    EXPECT_LT(unit.receivedFrameAddresses().size(), 45u);
    EXPECT_FALSE(unit.isOpen());

    EXPECT_EQ(run({"--json", "read", "-o", folder.file("r.kvx")}), 130);
    EXPECT_EQ(json()["result"], "interrupted");
    EXPECT_LT(unit.framesSent(), 45u);
    EXPECT_FALSE(std::filesystem::exists(folder.file("r.kvx")));
}

TEST_F(CliTest, VerifyAndDiffAgainstTheUnit) {
    VirtualUnit& unit = access.addUnit("QX1");
    storeInUnit(another(), unit);
    EXPECT_EQ(run({"verify", saved(another(), "same.kvx")}), 0);

    Configuration changed = another();
    changed.setText("SpinCASRELE2", "9");
    EXPECT_EQ(run({"--json", "verify", saved(changed, "changed.kvx")}), 1);
    ASSERT_EQ(json()["differences"].size(), 1u);
    EXPECT_EQ(json()["differences"][0]["name"], "SpinCASRELE2");
    EXPECT_EQ(json()["differences"][0]["a"], "9");
    EXPECT_EQ(json()["differences"][0]["b"], "0");

    EXPECT_EQ(run({"diff", "unit", saved(another(), "same.kvx")}), 0);
    EXPECT_EQ(run({"verify", folder.file("missing.kvx")}), 2);
}

TEST_F(CliTest, AVirtualUnitKeepsItsMemoryInItsFileAcrossRuns) {
    const std::string file = folder.file("memory.bin");
    access.addUnit("QX1", {}, file);
    EXPECT_EQ(run({"send", saved(another(), "new.kvx"), "--no-backup", "--no-verify"}), 0);
    access.finish();

    VirtualAccess later(VirtualAccess::Timing::Virtual);
    EXPECT_EQ(later.addUnit("QX1", {}, file).memory(), unitMemoryOf(another()));
}

TEST_F(CliTest, ListShowsEveryBridgeAndThreeWhenThereIsNone) {
    EXPECT_EQ(run({"list"}), 3);
    EXPECT_NE(err.str().find(DeviceConnection::msgNotConnected), std::string::npos);
    access.addUnit("QX1");
    access.addUnit("QX2");
    EXPECT_EQ(run({"--json", "list"}), 0);
    ASSERT_EQ(json()["bridges"].size(), 2u);
    EXPECT_EQ(json()["bridges"][1]["serial"], "QX2");
    EXPECT_EQ(json()["bridges"][1]["openable"], true);
}

TEST_F(CliTest, SerialPicksTheUnitAmongSeveral) {
    access.addUnit("QX1");
    VirtualUnit& second = access.addUnit("QX2");
    EXPECT_EQ(run({"--serial", "QX2", "send", saved(another(), "new.kvx"), "--no-backup"}), 0);
    EXPECT_EQ(second.memory(), unitMemoryOf(another()));
    EXPECT_EQ(access.unit(0).successfulOpens(), 0u);
    EXPECT_EQ(run({"--serial", "QX9", "read", "-o", folder.file("r.kvx")}), 3);
}

} // namespace
} // namespace qolmex::cli
