#include "config/ConfigurationFile.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace qolmex {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

const std::string oldContent = "[TCV]\r\neditTCV1_1=old\r\n";

void expectSaveFails(const TempFolder& folder, const std::string& name) {
    const std::size_t entries = folder.entryCount();
    Configuration c;
    c.setText("editTCV1_1", "0999");
    EXPECT_THROW(ConfigurationFile::save(c, name), FileWriteError) << name;
    EXPECT_EQ(folder.entryCount(), entries) << "a temporary file was left";
}

// What the attributes and rules of Windows refuse, with the old file kept as it was.
TEST(SaveFailureOnWindows, ReadOnlyFileFolderAndMissingFolder) {
    TempFolder folder;
    const std::string readOnly = folder.file("čítať.kvx");
    writeBytes(readOnly, oldContent);
    fs::permissions(testing::pathOf(readOnly),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    expectSaveFails(folder, readOnly);
    EXPECT_EQ(readBytes(readOnly), oldContent);

    fs::create_directory(testing::pathOf(folder.file("folder.kvx")));
    expectSaveFails(folder, folder.file("folder.kvx"));
    expectSaveFails(folder, folder.file("missing\\unit.kvx"));
}

} // namespace
} // namespace qolmex
