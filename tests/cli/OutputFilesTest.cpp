#include "CliFixture.h"
#include "sim/DemoConfiguration.h"

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qolmex::cli {
namespace {

namespace fs = std::filesystem;

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Two Sends to one unit in the same second, and a serial number that is a path: every backup
// has a name of its own inside the backup folder, and none is written over.
TEST_F(CliTest, BackupsNeverOverwriteOneAnotherNorLeaveTheirFolder) {
    VirtualUnit& unit = access.addUnit("QX1");
    storeInUnit(demoConfiguration(), unit);
    Configuration next;
    next.setText("editPOV1_1", "0905111222");
    EXPECT_EQ(run({"send", saved(next, "next.kvx"), "--no-verify"}), 0) << err.str();
    EXPECT_EQ(run({"send", folder.file("next.kvx"), "--no-verify"}), 0) << err.str();
    const fs::path backups = testing::pathOf(folder.file("backups"));
    EXPECT_EQ(loaded(testing::utf8Of(backups / "QX1-20261208-143005.kvx")), demoConfiguration());
    EXPECT_EQ(loaded(testing::utf8Of(backups / "QX1-20261208-143005-2.kvx")), next);
    EXPECT_TRUE(fs::exists(backups / "QX1-20261208-143005-2.bin"));

    access.addUnit("../../x");
    EXPECT_EQ(
        run({"--json", "--serial", "../../x", "send", folder.file("next.kvx"), "--no-verify"}), 0);
    EXPECT_EQ(json()["backup"], testing::utf8Of(backups / "______x-20261208-143005.kvx"));
    EXPECT_EQ(entriesIn(backups), 6u);
    EXPECT_EQ(entriesIn(folder.path()), 2u); // next.kvx and the backup folder
}

#ifndef _WIN32
// -o, --image, image -o: a link is followed, a private file stays private, a new file gets the
// umask's permissions.
TEST_F(CliTest, EveryOutputIsReplacedAsTheWindowsSaveReplacesIt) {
    VirtualUnit& unit = access.addUnit("QX1");
    storeInUnit(demoConfiguration(), unit);
    const std::string target = folder.file("target.kvx");
    testing::writeBytes(target, "[FOREIGN]\r\nkey=1\r\n");
    fs::create_symlink(testing::pathOf(target), testing::pathOf(folder.file("link.kvx")));
    const std::string image = folder.file("private.bin");
    testing::writeBytes(image, "old");
    fs::permissions(testing::pathOf(image), fs::perms::owner_read | fs::perms::owner_write);

    const mode_t umaskBefore = ::umask(027);
    const int exit = run({"read", "-o", folder.file("link.kvx"), "--image", image});
    const int imageExit =
        run({"image", saved(demoConfiguration(), "demo.kvx"), "-o", folder.file("new.bin")});
    ::umask(umaskBefore);
    EXPECT_EQ(exit, 0) << err.str();
    EXPECT_EQ(imageExit, 0) << err.str();
    EXPECT_TRUE(fs::is_symlink(testing::pathOf(folder.file("link.kvx"))));
    EXPECT_EQ(loaded(target), demoConfiguration());
    EXPECT_EQ(testing::readBytes(target).find("FOREIGN"), std::string::npos);
    EXPECT_EQ(fs::status(testing::pathOf(image)).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(testing::pathOf(folder.file("new.bin"))).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A read-only file is refused with the message of every other file that cannot be written.
TEST_F(CliTest, AReadOnlyOutputIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    storeInUnit(demoConfiguration(), access.addUnit("QX1"));
    const std::string readOnly = folder.file("read-only.kvx");
    testing::writeBytes(readOnly, "kept");
    fs::permissions(testing::pathOf(readOnly), fs::perms::owner_read);
    EXPECT_EQ(run({"read", "-o", readOnly}), 2);
    EXPECT_EQ(err.str().rfind("Súbor sa nedá zapísať: " + readOnly, 0), 0u) << err.str();
    EXPECT_EQ(testing::readBytes(readOnly), "kept");
}

// "link/../out.kvx" is the out.kvx beside the link's target, as the system says; nothing is
// left beside either when the file cannot be written there.
TEST_F(CliTest, APathThroughALinkMeansWhatTheSystemSaysItMeans) {
    VirtualUnit& unit = access.addUnit("QX1");
    storeInUnit(demoConfiguration(), unit);
    fs::create_directories(folder.path() / "real" / "inner");
    fs::create_directory_symlink(folder.path() / "real" / "inner", folder.path() / "link");
    EXPECT_EQ(run({"read", "-o", folder.file("link/../out.kvx")}), 0) << err.str();
    EXPECT_EQ(loaded(testing::utf8Of(folder.path() / "real" / "out.kvx")), demoConfiguration());
    EXPECT_EQ(entriesIn(folder.path()), 2u); // real and link

    EXPECT_EQ(run({"read", "-o", folder.file("link/../inner")}), 2); // a folder
    EXPECT_EQ(entriesIn(folder.path() / "real"), 2u);
    EXPECT_EQ(entriesIn(folder.path()), 2u);
}
#endif

// The virtual unit's memory file: a file that is no memory image is refused before it could be
// cut to 4096 bytes, and one that cannot be written ends the command with 4.
TEST_F(CliTest, AVirtualUnitsMemoryFileIsCheckedBothWays) {
    const std::string notes = folder.file("notes.bin");
    testing::writeBytes(notes, "not a memory image");
    EXPECT_EQ(run({"--virtual=" + notes, "list"}), 2);
    EXPECT_EQ(testing::readBytes(notes), "not a memory image");

    const std::string unwritable = folder.file("missing/memory.bin");
    makeAccess = [&unwritable](const CommandLine&) {
        auto units = std::make_unique<VirtualAccess>(VirtualAccess::Timing::Virtual);
        units->addUnit("QX1", {}, unwritable);
        return units;
    };
    EXPECT_EQ(run({"--json", "list"}), 4);
    EXPECT_EQ(json()["result"], "failed");
    EXPECT_NE(json()["message"].get<std::string>().find("memory.bin"), std::string::npos);
}

} // namespace
} // namespace qolmex::cli
