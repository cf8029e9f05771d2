#include "app/SetupSheetAction.h"

#include "MainWindowFixture.h"
#include "support/TempFolder.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QMenu>

namespace qolmex {
namespace {

// The window with its sheet's dialog answering `answer` and its browser only noting the file.
class SetupSheetActionTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        window->setMessageFunction([this](const QString& text) { messages << text; });
        window->setupSheet().setDialog([this](QWidget*, const FileDialogRequest& request) {
            requests.push_back(request);
            return answer;
        });
        window->setupSheet().setOpener([this](const QString& fileName) {
            opened << fileName;
            return browserThere;
        });
    }

    testing::TempFolder folder;
    std::optional<FileDialogChoice> answer;
    bool browserThere = true;
    std::vector<FileDialogRequest> requests;
    QStringList opened;
    QStringList messages;
};

TEST_F(SetupSheetActionTest, CtrlPSavesTheSheetOfTheWindowAndOpensIt) {
    const QString name = QString::fromStdString(folder.file("site"));
    answer = FileDialogChoice{name, {}};
    const auto old = testing::pathOf(folder.file("site.html"));
    testing::writeBytes(folder.file("site.html"), "old");
    std::filesystem::permissions(old, std::filesystem::perms(0640));
    config().setText("editPOV1_1", "0905111222");
    config().setText("MemoDTMFZAP1", "4711");
    for (const char* focused : {"editPOV1_1", "memoSMSZAP1", "spinCAS"}) {
        control(focused)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
        ASSERT_EQ(requests.size(), 1u) << focused;
        EXPECT_EQ(requests[0].purpose, FileDialogRequest::Purpose::Save);
        EXPECT_EQ(requests[0].defaultSuffix, "html");
        EXPECT_EQ(opened, QStringList{name + ".html"});
        requests.clear();
        opened.clear();
    }
    const std::string html = testing::readBytes(folder.file("site.html"));
    EXPECT_NE(html.find("<li>0905111222</li>"), std::string::npos);
    EXPECT_EQ(html.find("4711"), std::string::npos);
#ifndef _WIN32 // Windows files have no such modes
    EXPECT_EQ(std::filesystem::status(old).permissions(), std::filesystem::perms(0640));
#endif
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(SetupSheetActionTest, TheFreeAreaOffersTheSheetInItsContextMenu) {
    QWidget* freeArea = window->findChildren<QGroupBox*>().front();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            freeArea->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(freeArea, &event);
    auto* menu = window->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    QAction* sheet = menu->actions().front();
    EXPECT_EQ(sheet->text(), QString::fromUtf8("Prehľad nastavení…"));
    EXPECT_EQ(sheet->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    sheet->trigger();
    EXPECT_EQ(requests.size(), 1u); // the dialog was asked, and cancelled
    EXPECT_TRUE(opened.isEmpty());
    menu->close();
}

TEST_F(SetupSheetActionTest, AFailureIsToldAndTheRestStays) {
    std::filesystem::create_directory(testing::pathOf(folder.file("folder.html")));
    for (const char* name : {"no-such-folder/site.html", "folder.html"}) {
        messages.clear();
        answer = FileDialogChoice{QString::fromStdString(folder.file(name)), {}};
        window->saveSetupSheet();
        EXPECT_TRUE(opened.isEmpty());
        ASSERT_EQ(messages.size(), 1) << name;
        EXPECT_TRUE(
            messages[0].startsWith(QString::fromUtf8("Prehľad nastavení sa nepodarilo uložiť")));
    }
    EXPECT_TRUE(std::filesystem::is_directory(testing::pathOf(folder.file("folder.html"))));

    messages.clear();
    answer = FileDialogChoice{QString::fromStdString(folder.file("site.html")), {}};
    browserThere = false;
    window->saveSetupSheet();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QString::fromStdString(folder.file("site.html"))));
    EXPECT_FALSE(testing::readBytes(folder.file("site.html")).empty());
    EXPECT_EQ(requests.back().fileName, QString::fromStdString(folder.file("folder.html")))
        << "the dialog offers the name chosen last";
}

} // namespace
} // namespace qolmex
