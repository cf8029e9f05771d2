#include "app/FileActions.h"
#include "config/ConfigurationFile.h"

#include "support/TempFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace qolmex {
namespace {

using testing::readBytes;
using testing::TempFolder;

const QString kvxEntry = QString::fromUtf8("Korvalex súbor (*.kvx)");
const QString allEntry = QString::fromUtf8("Všeky súbory (*.*)");

// Stands in for the dialogs: answers with the queued choices and keeps what it was asked.
class FakeDialogs {
public:
    FileDialogFunction function() {
        return [this](QWidget*, const FileDialogRequest& request) {
            requests.push_back(request);
            std::optional<FileDialogChoice> answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        };
    }
    ErrorBoxFunction errorBox() {
        return [this](QWidget*, const QString& message) { errors << message; };
    }

    std::vector<std::optional<FileDialogChoice>> answers;
    std::vector<FileDialogRequest> requests;
    QStringList errors;
};

class FileActionsTest : public ::testing::Test {
protected:
    QString name(const char* fileName) const { return QString::fromStdString(folder.file(fileName)); }

    TempFolder folder;
    FakeDialogs dialogs;
    FileActions actions{dialogs.function(), dialogs.errorBox()};
};

TEST_F(FileActionsTest, ANameWithoutExtensionGetsKvxAndEachDialogRemembersItsChoice) {
    Configuration c;
    c.setText("memoSMSZAP1", "ZAP");
    dialogs.answers = {FileDialogChoice{name("unit"), allEntry},
                       FileDialogChoice{name("copy.txt"), kvxEntry},
                       FileDialogChoice{name("unit"), kvxEntry}};
    actions.save(nullptr, c);
    actions.save(nullptr, c);
    Configuration back;
    actions.open(nullptr, back);

    EXPECT_TRUE(std::filesystem::exists(folder.file("unit.kvx")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("copy.txt")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("unit")));
    EXPECT_EQ(back.text("memoSMSZAP1"), "ZAP");
    EXPECT_TRUE(dialogs.errors.isEmpty());

    ASSERT_EQ(dialogs.requests.size(), 3u);
    EXPECT_EQ(dialogs.requests[0].purpose, FileDialogRequest::Purpose::Save);
    EXPECT_TRUE(dialogs.requests[0].fileName.isEmpty());
    EXPECT_EQ(dialogs.requests[1].fileName, name("unit.kvx"));
    EXPECT_EQ(dialogs.requests[1].nameFilter, allEntry);
    EXPECT_EQ(dialogs.requests[2].purpose, FileDialogRequest::Purpose::Open);
    EXPECT_TRUE(dialogs.requests[2].fileName.isEmpty());
}

TEST_F(FileActionsTest, ACancelledDialogChangesNothing) {
    Configuration c;
    c.setText("editPOV1_1", "0911");
    dialogs.answers = {std::nullopt, std::nullopt};
    actions.save(nullptr, c);
    actions.open(nullptr, c);
    EXPECT_EQ(folder.entryCount(), 0u);
    EXPECT_EQ(c.text("editPOV1_1"), "0911");
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(FileActionsTest, AFailedSaveShowsTheFullNameAndAFailedOpenNothing) {
    std::filesystem::create_directory(folder.file("folder.kvx"));
    Configuration c;
    c.setText("editPOV1_1", "0911");
    dialogs.answers = {FileDialogChoice{name("folder.kvx"), kvxEntry},
                       FileDialogChoice{name("folder"), kvxEntry}};
    actions.save(nullptr, c);
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(dialogs.errors[0], "Unable to write to " + name("folder.kvx"));

    actions.open(nullptr, c);
    EXPECT_EQ(dialogs.errors.size(), 1);
    EXPECT_EQ(c.text("editPOV1_1"), "");
}

// Every build must give these bytes; the Windows build's window test saves through the
// platform's own dialogs and compares with the same file.
TEST_F(FileActionsTest, OpenThenSaveOverAnotherFileGivesTheStoredBytes) {
    const std::string target = folder.file("šťastie.kvx");
    testing::writeBytes(target, readBytes(QOLMEX_KVX_DATA "/b.kvx"));
    dialogs.answers = {FileDialogChoice{QStringLiteral(QOLMEX_KVX_DATA "/a.kvx"), kvxEntry},
                       FileDialogChoice{QString::fromStdString(target), kvxEntry}};
    Configuration c;
    actions.open(nullptr, c);
    actions.save(nullptr, c);
    EXPECT_EQ(readBytes(target), readBytes(QOLMEX_APP_TEST_DATA "/a-saved-over-b.kvx"));
}

// Qt's own dialog, the one on Linux; Windows' own is driven by the window test on Windows.
TEST(FileDialogSettings, AskBeforeReplacingOnSaveOnlyAndOfferBothEntries) {
    for (const auto purpose :
         {FileDialogRequest::Purpose::Save, FileDialogRequest::Purpose::Open}) {
        const bool save = purpose == FileDialogRequest::Purpose::Save;
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        configureFileDialog(dialog, FileDialogRequest{purpose, {}, {}});
        EXPECT_EQ(dialog.nameFilters(), (QStringList{kvxEntry, allEntry}));
        EXPECT_EQ(dialog.selectedNameFilter(), kvxEntry);
        EXPECT_EQ(dialog.defaultSuffix(), "kvx");
        EXPECT_EQ(dialog.testOption(QFileDialog::DontConfirmOverwrite), !save);
        EXPECT_EQ(dialog.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile); // Open takes a missing name too
        EXPECT_TRUE(dialog.isSizeGripEnabled());
    }
    QFileDialog again;
    configureFileDialog(again, FileDialogRequest{FileDialogRequest::Purpose::Open, {}, allEntry});
    EXPECT_EQ(again.selectedNameFilter(), allEntry);
}

TEST(FileDialogSettings, TheAllEntryListsFilesWithoutADotToo) {
    TempFolder folder;
    testing::writeBytes(folder.file("README"), "x");
    testing::writeBytes(folder.file("unit.kvx"), "x");
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(QString::fromStdString(folder.path().string()));
    configureFileDialog(dialog, FileDialogRequest{FileDialogRequest::Purpose::Open, {}, allEntry});
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    const QModelIndex root = model->index(QString::fromStdString(folder.path().string()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return model->rowCount(root) > 1; }, 5000));
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row)
        names << model->index(row, 0, root).data().toString();
    names.sort();
    EXPECT_EQ(names, (QStringList{"README", "unit.kvx"}));
    EXPECT_EQ(dialog.selectedNameFilter(), allEntry);
}

TEST(FileDialogSettings, ChoosingTheAllEntryOnSaveKeepsTheNamesExtension) {
    TempFolder folder;
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString name =
        QDir::fromNativeSeparators(QString::fromStdString(folder.file("unit.kvx")));
    configureFileDialog(dialog, FileDialogRequest{FileDialogRequest::Purpose::Save, name, {}});
    auto* entries = dialog.findChild<QComboBox*>("fileTypeCombo");
    auto* nameEdit = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_TRUE(entries && nameEdit);
    entries->setCurrentIndex(1);
    emit entries->activated(1); // as a choice by the user
    emit entries->textActivated(entries->currentText());
    EXPECT_EQ(nameEdit->text(), "unit.kvx");
}

TEST(QtNameFilters, KeepEntriesThatShowTheirPatternsAndAddThemOtherwise) {
    EXPECT_EQ(qtNameFilters(QString::fromUtf8("Korvalex súbor (*.kvx)|*.kvx|Všeky súbory (*.*)|*.*")),
              (QStringList{kvxEntry, allEntry}));
    EXPECT_EQ(qtNameFilters("Texts|*.txt;*.kvx|Dangling"), QStringList{"Texts (*.txt *.kvx)"});
}

TEST(DefaultSuffix, IsAddedOnlyToANameWithoutAnyDot) {
    EXPECT_EQ(withDefaultSuffix("/a.b/unit", "kvx"), "/a.b/unit.kvx");
    EXPECT_EQ(withDefaultSuffix("unit.old", "kvx"), "unit.old");
    EXPECT_EQ(withDefaultSuffix("", "kvx"), "");
}

} // namespace
} // namespace qolmex
