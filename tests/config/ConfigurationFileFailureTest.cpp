#include "config/ConfigurationFile.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qolmex {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

const std::string oldContent = "[TCV]\r\neditTCV1_1=old\r\n[Mine]\nkeep=1";

Configuration changed() {
    Configuration c;
    c.setText("editTCV1_1", "0999");
    return c;
}

// Saving must fail with the full name, and leave the folder as it was.
void expectSaveFails(const TempFolder& folder, const std::string& name) {
    const std::size_t entries = folder.entryCount();
    try {
        ConfigurationFile::save(changed(), name);
        ADD_FAILURE() << "saving to " << name << " succeeded";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(error.fileName(), name);
    }
    EXPECT_EQ(folder.entryCount(), entries) << "a temporary file was left";
}

bool runsAsRoot() {
    return ::geteuid() == 0;
}

TEST(SaveFailure, OntoAFolderOrIntoAPathThatCannotHoldAFile) {
    TempFolder folder;
    fs::create_directory(folder.file("folder.kvx"));
    expectSaveFails(folder, folder.file("folder.kvx"));
    EXPECT_TRUE(fs::is_empty(folder.file("folder.kvx")));

    expectSaveFails(folder, folder.file("missing/unit.kvx"));
    writeBytes(folder.file("plain"), oldContent);
    expectSaveFails(folder, folder.file("plain/unit.kvx"));
    EXPECT_EQ(readBytes(folder.file("plain")), oldContent);
}

// Permission bits do not stop root, so as root the save runs in a child process as "nobody",
// who then owns the folder. True when the save succeeded.
constexpr unsigned nobody = 65534;

bool saveAsOrdinaryUser(const TempFolder& folder, const std::string& name) {
    if (!runsAsRoot()) {
        try {
            ConfigurationFile::save(changed(), name);
            return true;
        } catch (const FileWriteError&) {
            return false;
        }
    }
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(::chown(entry.path().c_str(), nobody, nobody), 0);
    EXPECT_EQ(::chown(folder.path().c_str(), nobody, nobody), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        bool saved = false;
        if (::setgid(nobody) == 0 && ::setuid(nobody) == 0) {
            try {
                ConfigurationFile::save(changed(), name);
                saved = true;
            } catch (const FileWriteError&) {
            }
        }
        ::_exit(saved ? 0 : 1);
    }
    int status = 0;
    EXPECT_EQ(::waitpid(child, &status, 0), child);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(SaveIntoAReadOnlyFolder, UpdatesAWritableFileInPlaceButCreatesNoNewOne) {
    TempFolder folder;
    const std::string name = folder.file("unit.kvx");
    writeBytes(name, oldContent);
    fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::permissions(folder.path(), fs::perms::owner_write, fs::perm_options::remove);

    ASSERT_TRUE(saveAsOrdinaryUser(folder, name));
    const std::string saved = readBytes(name);
    EXPECT_NE(saved.find("editTCV1_1=0999\r\n"), std::string::npos);
    EXPECT_NE(saved.find("[Mine]\nkeep=1\r\n"), std::string::npos);
    EXPECT_EQ(fs::status(name).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folder.entryCount(), 1u);

    EXPECT_FALSE(saveAsOrdinaryUser(folder, folder.file("new.kvx")));
    EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(SaveFailure, OntoAReadOnlyOrUnreadableFile) {
    if (runsAsRoot())
        GTEST_SKIP() << "permission bits do not stop root";
    TempFolder folder;
    const std::string name = folder.file("unit.kvx");
    writeBytes(name, oldContent);
    fs::permissions(name, fs::perms::owner_read);
    expectSaveFails(folder, name);
    fs::permissions(name, fs::perms::owner_write);
    expectSaveFails(folder, name); // its foreign lines could not be kept
    fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readBytes(name), oldContent);
}

TEST(SaveFailure, CarriesTheFullNameOfARelativeName) {
    TempFolder folder;
    fs::create_directory(folder.file("dir.kvx"));
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    try {
        ConfigurationFile::save(changed(), "dir.kvx");
        ADD_FAILURE();
    } catch (const FileWriteError& error) {
        EXPECT_EQ(error.fileName(), folder.file("dir.kvx"));
    }
    fs::current_path(before);
}

TEST(SaveReplacement, KeepsPermissionsAndSymbolicLinks) {
    TempFolder folder;
    const std::string name = folder.file("unit.kvx");
    writeBytes(name, oldContent);
    fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(name, folder.file("link.kvx"));

    ConfigurationFile::save(changed(), folder.file("link.kvx"));
    EXPECT_TRUE(fs::is_symlink(folder.file("link.kvx")));
    EXPECT_EQ(fs::status(name).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const std::string saved = readBytes(name);
    EXPECT_NE(saved.find("editTCV1_1=0999\r\n"), std::string::npos);
    EXPECT_NE(saved.find("[Mine]\nkeep=1\r\n"), std::string::npos);
    EXPECT_EQ(folder.entryCount(), 2u);
}

// The temporary file that replaces a private file is private before its first byte: the
// kernel's notifications show no change of its mode or owner after the first write.
TEST(SaveReplacement, APrivateFileIsNeverReadableByOthersOnTheWay) {
    TempFolder folder;
    const std::string name = folder.file("unit.kvx");
    writeBytes(name, oldContent);
    fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write);
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, folder.path().c_str(), IN_ATTRIB | IN_MODIFY), 0);
    ConfigurationFile::save(changed(), name);

    std::vector<std::string> events; // "modify" or "attrib", on the temporary file
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = ::read(watch, buffer, sizeof buffer)) > 0;)
        for (char* at = buffer; at < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            if (event->len > 0 && std::string(event->name).ends_with(".tmp"))
                events.push_back(event->mask & IN_MODIFY ? "modify" : "attrib");
            at += sizeof(inotify_event) + event->len;
        }
    ::close(watch);
    const auto firstWrite = std::find(events.begin(), events.end(), "modify");
    ASSERT_NE(firstWrite, events.end());
    EXPECT_EQ(std::find(firstWrite, events.end(), "attrib"), events.end())
        << ::testing::PrintToString(events);
    EXPECT_EQ(fs::status(name).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// A new file gets what the user's umask leaves of rw-rw-rw-.
TEST(SaveReplacement, ANewFileGetsTheUmasksPermissions) {
    TempFolder folder;
    const mode_t before = ::umask(027);
    ConfigurationFile::save(changed(), folder.file("new.kvx"));
    ::umask(before);
    EXPECT_EQ(fs::status(folder.file("new.kvx")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// "link/../x.kvx" is the x.kvx beside the folder the link leads to, as the system resolves
// the name, not the one beside the link.
TEST(SaveReplacement, DotDotAfterALinkMeansWhatTheSystemSays) {
    TempFolder folder;
    fs::create_directories(folder.path() / "real" / "inner");
    fs::create_directory_symlink(folder.path() / "real" / "inner", folder.path() / "link");
    ConfigurationFile::save(changed(), folder.file("link/../unit.kvx"));
    EXPECT_TRUE(fs::exists(folder.path() / "real" / "unit.kvx"));
    EXPECT_FALSE(fs::exists(folder.path() / "unit.kvx"));

    // A failure there leaves nothing beside the folder it was to write in.
    try {
        ConfigurationFile::save(changed(), folder.file("link/../inner"));
        ADD_FAILURE() << "a folder was written over";
    } catch (const FileWriteError& error) {
        EXPECT_EQ(error.fileName(), folder.file("link/../inner"));
    }
    const auto entries =
        std::distance(fs::directory_iterator(folder.path() / "real"), fs::directory_iterator());
    EXPECT_EQ(entries, 2); // inner and unit.kvx
}

TEST(SaveReplacement, KeepsAnotherUsersOwnerAndGroupWhereItMay) {
    if (!runsAsRoot())
        GTEST_SKIP() << "only root may give a file to another user";
    TempFolder folder;
    const std::string name = folder.file("unit.kvx");
    writeBytes(name, oldContent);
    ASSERT_EQ(::chown(name.c_str(), nobody, nobody), 0);
    ConfigurationFile::save(changed(), name);
    struct stat info {};
    ASSERT_EQ(::stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, nobody);
    EXPECT_EQ(info.st_gid, nobody);
    EXPECT_NE(readBytes(name).find("editTCV1_1=0999\r\n"), std::string::npos);
}

// Open takes whatever entries it can find and empties the rest, without a failure.
class OpenBadInput : public ::testing::Test {
protected:
    Configuration open(const std::string& path) {
        Configuration c;
        c.setText("memoSMSNV2", "before");
        ConfigurationFile::load(c, path);
        EXPECT_EQ(c.text("memoSMSNV2"), "");
        EXPECT_FALSE(c.isChosen("rbVST1_1"));
        return c;
    }

    std::string randomBytes(std::size_t size) {
        std::string bytes(size, '\0');
        for (char& b : bytes)
            b = static_cast<char>(random_());
        return bytes;
    }

    TempFolder folder;
    std::string name = folder.file("unit.kvx");
    std::minstd_rand random_{7};
};

const std::string entries = "\n[TCV]\neditTCV1_1=123\n[AKT-DEAKT]\nrbVST2_2=1\n";

void expectEntriesRead(const Configuration& c) {
    EXPECT_EQ(c.text("editTCV1_1"), "123");
    EXPECT_TRUE(c.isChosen("rbVST2_2"));
}

TEST_F(OpenBadInput, BinaryContentAndNulBytes) {
    writeBytes(name, randomBytes(200000) + entries + randomBytes(1000));
    expectEntriesRead(open(name));

    using namespace std::string_literals;
    writeBytes(name, "\0\0[TCV]\0\n[TCV]\neditTCV1_1=12\0003\n[AKT-DEAKT]\nrbVST2_2=1\0\n"s);
    const Configuration c = open(name);
    EXPECT_EQ(c.text("editTCV1_1"), "12");
    EXPECT_TRUE(c.isChosen("rbVST2_2"));
}

TEST_F(OpenBadInput, AFileOfFiftyMegabytes) {
    {
        std::ofstream out(name, std::ios::binary);
        const std::string block = randomBytes(1 << 20);
        for (int i = 0; i < 50; ++i)
            out << block;
        out << entries;
    }
    expectEntriesRead(open(name));
}

TEST_F(OpenBadInput, ALineOfSeveralMegabytes) {
    writeBytes(name, "[Junk]\nkey=" + std::string(6 << 20, '9') + entries);
    expectEntriesRead(open(name));
    writeBytes(name, "[TCV]\neditTCV1_1=" + std::string(6 << 20, '9'));
    EXPECT_EQ(open(name).text("editTCV1_1"), std::string(2047, '9'));
}

TEST_F(OpenBadInput, AFolderOrAMissingName) {
    fs::create_directory(folder.file("dir.kvx"));
    open(folder.file("dir.kvx"));
    open(folder.file("missing.kvx"));
    open(folder.file("missing/unit.kvx"));
}

TEST_F(OpenBadInput, AnUnreadableFile) {
    if (runsAsRoot())
        GTEST_SKIP() << "permission bits do not stop root";
    writeBytes(name, entries);
    fs::permissions(name, fs::perms::none);
    open(name);
}

} // namespace
} // namespace qolmex
