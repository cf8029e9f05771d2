#include "cli/BackupFolder.h"
#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace qolmex::cli {
namespace {

TEST(BackupFolder, FollowsTheUsersDataFolder) {
    ::setenv("HOME", "/home/montér", 1);
    ::setenv("XDG_DATA_HOME", "/data", 1);
    EXPECT_EQ(defaultBackupFolder(), "/data/qolmex70/backups");
    ::setenv("XDG_DATA_HOME", "relative", 1); // not absolute: to be ignored
    EXPECT_EQ(defaultBackupFolder(), "/home/montér/.local/share/qolmex70/backups");
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(defaultBackupFolder(), "/home/montér/.local/share/qolmex70/backups");
}

TEST(ProgressLine, ShowsPhasePerCentAndSecondsLeft) {
    EXPECT_EQ(ProgressLine::render("Odosielanie", 0.5, 7),
              "Odosielanie [###############...............] 50 %, zostáva 7 s");
    std::ostringstream terminal;
    ProgressLine line(terminal);
    line.start("Kontrola", std::chrono::milliseconds(0));
    line.update(0.25, std::chrono::milliseconds(1000));
    line.update(0.3, std::chrono::milliseconds(1050)); // too soon to redraw
    line.update(1.0, std::chrono::milliseconds(1100)); // the end is always drawn
    line.end();
    EXPECT_EQ(terminal.str(), "\rKontrola [########......................] 25 %, zostáva 3 s\x1b[K"
                              "\rKontrola [##############################] 100 %, zostáva 0 s"
                              "\x1b[K\n");
}

} // namespace
} // namespace qolmex::cli
