#include "cli/Terminal.h"

#include "CliFixture.h"
#include "cli/Interrupt.h"
#include "cli/SettingsFiles.h"
#include "sim/DemoConfiguration.h"

#include <chrono>
#include <clocale>
#include <csignal>
#include <cstdlib>

namespace qolmex::cli {
namespace {

// The first Ctrl+C while a Send writes its blocks only says how many are left: the Send ends
// whole, so the unit is never left with an incomplete configuration by one press.
TEST_F(CliTest, OneCtrlCWhileBlocksAreWrittenLetsTheSendEndWhole) {
    VirtualUnit& unit = access.addUnit("QX1");
    interruptWhen = [&unit] { return unit.receivedFrameAddresses().size() >= 40 ? 1u : 0u; };
    EXPECT_EQ(run({"send", saved(demoConfiguration(), "demo.kvx"), "--no-backup"}), 130);
    EXPECT_EQ(unit.memory(), unitMemoryOf(demoConfiguration()));
    EXPECT_TRUE(unit.clockBlockWritten());
    const std::string told = err.str();
    // Seen while the 40th frame is on the line, its echo not yet back: 216 of 255 to go.
    EXPECT_NE(told.find("zostáva 216 blokov. Druhé stlačenie Ctrl+C"), std::string::npos) << told;
    EXPECT_EQ(told.find("zostáva", told.find("zostáva") + 1), std::string::npos); // once
    EXPECT_NE(told.find("Prerušené (Ctrl+C)."), std::string::npos) << told;
}

TEST(BlocksLeftNotice, CountsInSlovak) {
    EXPECT_NE(TerminalTransfer::blocksLeftNotice(1).find("zostáva 1 blok."), std::string::npos);
    EXPECT_NE(TerminalTransfer::blocksLeftNotice(3).find("zostávajú 3 bloky."), std::string::npos);
    EXPECT_NE(TerminalTransfer::blocksLeftNotice(5).find("zostáva 5 blokov."), std::string::npos);
}

#ifndef _WIN32 // where names are bytes; Windows hands them over as UTF-8
// File names that are not UTF-8 still make valid JSON, each bad byte a U+FFFD.
TEST_F(CliTest, JsonIsValidUtf8WhateverTheFileNames) {
    const std::string name = folder.file("zl\xfd-\xe8.kvx"); // Windows-1250, not UTF-8
    EXPECT_EQ(run({"--json", "show", name}), 2);
    nlohmann::json report;
    ASSERT_NO_THROW(report = json()) << out.str();
    EXPECT_NE(report["message"].get<std::string>().find("zl\uFFFD-\uFFFD.kvx"), std::string::npos);
}
#endif

// A text from a unit cannot reach the terminal as control bytes: a line break stays on its
// line as \r\n, an escape sequence is shown, not obeyed.
TEST_F(CliTest, ControlBytesOfATextAreShownEscaped) {
    Configuration odd;
    odd.setText("memoSMSZAP1", "Zapni\r\nto\x1b[2J\\");
    const std::string bin = folder.file("odd.bin");
    writeImageFile(bin, encodeToImage(odd));
    EXPECT_EQ(run({"show", bin}), 0);
    EXPECT_NE(out.str().find("\t\"Zapni\\r\\nto\\x1b[2J\\\\\"\n"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
    EXPECT_EQ(out.str().find('\r'), std::string::npos);

    EXPECT_EQ(run({"diff", bin, saved(Configuration{}, "empty.kvx")}), 1);
    EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
}

#ifndef _WIN32
// Outside a transfer or a file being written, Ctrl+C (and SIGTERM, and SIGHUP when the
// terminal is closed) ends the program at once with 130; inside, it is counted for the
// transfer to act on, and a wait between looks at the device list ends at once.
TEST(CtrlC, EndsTheProgramAtOnceOutsideATransfer) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        EXPECT_EXIT(
            {
                installInterruptHandler();
                std::raise(signal);
                std::_Exit(0);
            },
            ::testing::ExitedWithCode(130), "");
}

TEST(CtrlC, IsCountedWhileAUnitIsWorkedOnAndEndsAWait) {
    EXPECT_EXIT(
        {
            installInterruptHandler();
            InterruptShield working;
            std::raise(SIGINT);
            std::raise(SIGHUP);
            const auto before = std::chrono::steady_clock::now();
            sleepUnlessInterrupted(std::chrono::minutes(1));
            const bool woke = std::chrono::steady_clock::now() - before < std::chrono::seconds(30);
            std::_Exit(interruptCount() == 2 && woke ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
}

// The system's reasons come in the user's language; numbers keep their decimal point.
TEST(Locale, IsTakenFromTheEnvironmentButNumbersKeepTheirPoint) {
    ::setenv("LC_ALL", "C.UTF-8", 1);
    useLocaleOfEnvironment();
    const std::string messages = std::setlocale(LC_MESSAGES, nullptr);
    const std::string numbers = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LC_ALL");
    EXPECT_EQ(messages, "C.UTF-8");
    EXPECT_EQ(numbers, "C");
}
#endif

} // namespace
} // namespace qolmex::cli
