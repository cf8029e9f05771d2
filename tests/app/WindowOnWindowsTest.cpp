// The real window on Windows, run under Wine on a virtual X server with Windows' own
// platform plugin: whole transfers through the vendor backend and the stand-in FTD2XX.dll
// beside the program, the dialogs' window styles as Windows has them, and Save and Open
// through the system's own file dialogs, answered from a thread of the test's own.
#include "app/TfMain.h"
#include "config/ConfigurationFile.h"
#include "sim/DemoConfiguration.h"
#include "support/DuringTransfer.h"
#include "support/NativeDialogUser.h"
#include "support/TempFolder.h"
#include "transfer/TGauge.h"
#include "transfer/uRead.h"
#include "transfer/uSend.h"
#include "usb/RealD2xx.h"

#include <QDir>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <windows.h>

namespace qolmex {
namespace {

using testing::readBytes;
using testing::writeBytes;

class WindowOnWindows : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("FAKE_FTD2XX_MEMORY", QByteArray::fromStdString(memory));
        qunsetenv("FAKE_FTD2XX_FAULT");
        window.setMessageFunction([this](const QString& text) { messages << text; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void click(const char* button) {
        QTest::mouseClick(window.findChild<QPushButton*>(button), Qt::LeftButton);
    }

    void duringTransfer(std::function<bool()> act) {
        testing::duringTransfer(window, std::move(act));
    }

    void expectIdle() {
        EXPECT_TRUE(window.isEnabled());
        EXPECT_FALSE(window.fSend().isVisible());
        EXPECT_FALSE(window.fRead().isVisible());
    }

    testing::TempFolder folder;
    const std::string memory = folder.file("unit.bin");
    const std::unique_ptr<D2xxLibrary> device = makeRealD2xxLibrary();
    TfMain window{device.get()};
    QStringList messages;
};

std::string bytesOf(const VirtualUnit::Memory& memory) {
    return {memory.begin(), memory.end()};
}

LONG_PTR styleOf(QWidget& dialog) {
    return GetWindowLongPtrW(reinterpret_cast<HWND>(dialog.winId()), GWL_STYLE);
}

// A title bar and nothing on it: no system menu, no minimise, maximise or close button.
void expectBareTitleBar(LONG_PTR style, const char* dialog) {
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION) << dialog;
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0) << dialog;
}

TEST_F(WindowOnWindows, ReadAndSendGoThroughTheVendorLibraryBesideTheProgram) {
    const Configuration demo = demoConfiguration();
    writeBytes(memory, bytesOf(unitMemoryOf(demo)));
    LONG_PTR readStyle = 0;
    duringTransfer([&] {
        if (!window.fRead().Gauge1->isVisible())
            return false;
        readStyle = styleOf(window.fRead());
        return true;
    });
    click("btnRead");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_EQ(window.configuration(), demo);
    EXPECT_EQ(window.fRead().Gauge1->percentDone(), 100);
    expectIdle();
    expectBareTitleBar(readStyle, "fRead");
    EXPECT_NE(readStyle & WS_THICKFRAME, 0) << "fRead is sizeable";

    window.btnClearClick();
    window.configuration().setText("editPOV1_1", "+421900000001");
    LONG_PTR sendStyle = 0;
    duringTransfer([&] {
        if (!window.fSend().Gauge1->isVisible())
            return false;
        sendStyle = styleOf(window.fSend());
        return true;
    });
    click("btnSend");
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_EQ(readBytes(memory), bytesOf(unitMemoryOf(window.configuration())));
    expectIdle();
    expectBareTitleBar(sendStyle, "fSend");
    EXPECT_EQ(sendStyle & WS_THICKFRAME, 0) << "fSend has a fixed frame";
}

// The unit says who it is and then ignores the start byte: only Storno ends that wait (the
// reply timer runs only while the identity is awaited), silently.
TEST_F(WindowOnWindows, StornoEndsTheWaitForAUnitThatDoesNotAnswer) {
    qputenv("FAKE_FTD2XX_FAULT", "noStartAnswer");
    bool pressed = false;
    duringTransfer([&] {
        if (!window.fSend().btnCancel->isVisible() || window.timer1()->isActive())
            return false;
        QTest::mouseClick(window.fSend().btnCancel, Qt::LeftButton);
        pressed = true;
        return true;
    });
    click("btnSend");
    EXPECT_TRUE(pressed);
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    expectIdle();
}

TEST_F(WindowOnWindows, WithoutABridgeTheUserIsToldAndNoDialogShows) {
    qputenv("FAKE_FTD2XX_FAULT", "noDevice");
    click("btnRead");
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("Nepripojené zariadenie !")});
    expectIdle();
}

// The saved file stays in the build's test output, beside what the Linux build must give.
TEST_F(WindowOnWindows, SaveAndOpenGoThroughTheSystemsDialogsUnderASlovakName) {
    const QString output = QString::fromUtf8(QOLMEX_WINDOW_OUTPUT);
    ASSERT_TRUE(QDir().mkpath(output));
    const QString name = QDir::toNativeSeparators(output + QString::fromUtf8("/šťastie.kvx"));
    const std::string utf8Name = name.toStdString();
    writeBytes(utf8Name, readBytes(QOLMEX_KVX_DATA "/a.kvx"));

    {
        testing::NativeDialogUser user(name.toStdWString(), testing::NativeDialogUser::NoQuestion);
        click("btnOpen");
        EXPECT_TRUE(user.finished()) << user.failure();
    }
    Configuration fromFile;
    ConfigurationFile::load(fromFile, QOLMEX_KVX_DATA "/a.kvx");
    EXPECT_EQ(window.configuration(), fromFile);

    // Typed without its extension, the name gets ".kvx" and so meets the file that is there.
    writeBytes(utf8Name, readBytes(QOLMEX_KVX_DATA "/b.kvx"));
    {
        testing::NativeDialogUser user(name.chopped(4).toStdWString(),
                                       testing::NativeDialogUser::AnswerYes);
        click("btnSave");
        EXPECT_TRUE(user.finished()) << user.failure();
    }
    EXPECT_EQ(readBytes(utf8Name), readBytes(QOLMEX_APP_TEST_DATA "/a-saved-over-b.kvx"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

} // namespace
} // namespace qolmex
