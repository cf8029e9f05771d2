#include "app/MainTexts.h"
#include "app/PlainMessageBox.h"
#include "app/TfMain.h"
#include "config/Configuration.h"
#include "sim/Clock.h"
#include "sim/DemoConfiguration.h"
#include "sim/VirtualUnit.h"
#include "support/DuringTransfer.h"
#include "transfer/TGauge.h"
#include "transfer/uRead.h"
#include "transfer/uSend.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>

namespace qolmex {
namespace {

// The whole program against the virtual unit on a virtual clock: real window, real dialogs,
// real event loop; only the message box is replaced so nothing waits for a user.
class Transfers : public ::testing::Test {
protected:
    void SetUp() override {
        window.setMessageFunction([this](const QString& text) { messages << text; });
        window.show();
    }

    void duringTransfer(std::function<bool()> act) {
        testing::duringTransfer(window, std::move(act));
    }

    void expectIdle() {
        EXPECT_TRUE(window.isEnabled());
        EXPECT_FALSE(window.fSend().isVisible());
        EXPECT_FALSE(window.fRead().isVisible());
        EXPECT_FALSE(window.transferState().DeviceConnected);
        EXPECT_FALSE(unit.isOpen());
    }

    VirtualClock clock;
    VirtualUnit unit{clock};
    TfMain window{&unit};
    QStringList messages;
};

TEST_F(Transfers, SendWritesTheWindowIntoTheUnitWithTheWindowLockedMeanwhile) {
    const Configuration demo = demoConfiguration();
    storeInUnit(demo, unit); // what the window then sends back is checked byte for byte
    window.configuration().setText("editPOV1_1", "+421900000001");
    bool lockedWhileSending = false;
    duringTransfer([&] {
        if (!window.fSend().Gauge1->isVisible())
            return false;
        lockedWhileSending = !window.isEnabled() && window.fSend().isVisible();
        return true;
    });
    window.btnSendClick();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_TRUE(lockedWhileSending);
    EXPECT_EQ(unit.memory(), unitMemoryOf(window.configuration()));
    EXPECT_TRUE(unit.clockBlockWritten());
    EXPECT_EQ(window.fSend().Gauge1->percentDone(), 100);
    expectIdle();
}

TEST_F(Transfers, ReadShowsTheUnitsSettingsAndSendGivesThemBack) {
    const Configuration demo = demoConfiguration();
    storeInUnit(demo, unit);
    const VirtualUnit::Memory stored = unit.memory();
    window.btnReadClick();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(window.configuration(), demo);
    auto* shown = qobject_cast<QLineEdit*>(window.control("editPOV1_2"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), "+421907654321");
    EXPECT_TRUE(window.control("editPOV1_5")->isEnabled());
    EXPECT_FALSE(window.control("editPOV1_6")->isEnabled());
    expectIdle();

    window.btnClearClick();
    unit.fillMemory(0);
    window.btnReadClick(); // an empty unit
    EXPECT_EQ(window.configuration().text("spinDELAY1"), "1");
    storeInUnit(demo, unit);
    window.btnReadClick();
    unit.fillMemory(0);
    window.btnSendClick();
    EXPECT_EQ(unit.memory(), stored);
}

TEST_F(Transfers, NoBridgeIsToldAndTheDialogNeverShows) {
    TfMain lonely(nullptr);
    QStringList told;
    lonely.setMessageFunction([&told](const QString& text) { told << text; });
    lonely.btnReadClick();
    EXPECT_EQ(told, QStringList{QString::fromUtf8("Nepripojené zariadenie !")});
    EXPECT_TRUE(lonely.isEnabled());
    EXPECT_FALSE(lonely.fRead().isVisible());
}

TEST_F(Transfers, StornoInTheIdentityWaitTellsOfAWrongUnit) {
    unit.setFaults({.silence = true});
    duringTransfer([&] {
        if (!window.fSend().btnCancel->isVisible())
            return false;
        QTest::mouseClick(window.fSend().btnCancel, Qt::LeftButton);
        return true;
    });
    window.btnSendClick();
    EXPECT_EQ(messages,
              QStringList{QString::fromUtf8("Pripojené zariadenie nie je QOLMEX 70 USB !")});
    EXPECT_FALSE(window.timer1()->isActive());
    expectIdle();
}

// Nobody presses Storno: the window's own Timer1 ends the wait after its one tick, so a timer
// that never started would leave the dialog up for ever.
TEST_F(Transfers, ASilentUnitIsGivenUpAtTheFirstTickOfTimer1) {
    unit.setFaults({.silence = true});
    const auto before = std::chrono::steady_clock::now();
    window.btnReadClick();
    const auto waited = std::chrono::steady_clock::now() - before;
    EXPECT_EQ(messages,
              QStringList{QString::fromUtf8("Pripojené zariadenie nie je QOLMEX 70 USB !")});
    EXPECT_GE(waited, std::chrono::milliseconds(1900));
    EXPECT_LT(waited, std::chrono::milliseconds(4000));
    EXPECT_FALSE(window.timer1()->isActive());
    expectIdle();
}

TEST_F(Transfers, APulledCableEndsTheReadWithItsMessage) {
    storeInUnit(demoConfiguration(), unit);
    unit.setFaults({.unplugAfterFrames = 30u});
    window.btnReadClick();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(
                            "Zariadenie bolo odpojené, prenos dát bol prerušený !")});
    EXPECT_EQ(window.configuration().text("editPOV1_1"), demoConfiguration().text("editPOV1_1"));
    expectIdle();
}

TEST_F(Transfers, StornoInTheStartWaitEndsSilentlyAndNoSecondTransferStartsMeanwhile) {
    unit.setFaults({.noStartAnswer = true});
    duringTransfer([&] {
        // Past the identity, Timer1 is off again while the start byte goes out.
        if (!window.fRead().isVisible() || window.timer1()->isActive())
            return false;
        QTest::mouseClick(window.fRead().btnCancel, Qt::LeftButton);
        EXPECT_TRUE(window.isEnabled());
        window.btnSendClick(); // the interrupted read has not disconnected yet
        return true;
    });
    window.btnReadClick();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(unit.successfulOpens(), 2u); // the probe and the open of the one Connect
    expectIdle();
}

TEST_F(Transfers, TheWindowRefusesToCloseUntilTheTransferHasDisconnected) {
    unit.setFaults({.noStartAnswer = true});
    bool closedDuringTransfer = true;
    duringTransfer([&] {
        if (!window.fRead().isVisible() || window.timer1()->isActive())
            return false;
        QTest::mouseClick(window.fRead().btnCancel, Qt::LeftButton);
        // Storno gave the window back, but the read still holds the line.
        closedDuringTransfer = window.close();
        return true;
    });
    window.btnReadClick();
    EXPECT_FALSE(closedDuringTransfer);
    EXPECT_TRUE(window.isVisible());
    expectIdle();
    EXPECT_TRUE(window.close());
}

TEST_F(Transfers, EchoFaultsAreRetriedAndAWrongUnitIsRefused) {
    unit.setFaults({.corruptEchoEvery = 3, .shortEchoEvery = 4});
    window.configuration().setText("memoSMSZAP1", "ZAP");
    window.btnSendClick();
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(unit.memory(), unitMemoryOf(window.configuration()));

    unit.setFaults({.wrongIdentity = true});
    window.btnReadClick();
    EXPECT_EQ(messages,
              QStringList{QString::fromUtf8("Pripojené zariadenie nie je QOLMEX 70 USB !")});
    expectIdle();
}

TEST_F(Transfers, AnInvalidFieldStopsSendShowsWhyAndWhere) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.configuration().setText("SpinCASRELE2", "300"); // as Open may leave it
    QWidget* field = window.control("SpinCASRELE2");
    ASSERT_FALSE(field->isVisible()); // its page is not the one shown
    window.btnSendClick();
    EXPECT_EQ(messages, QStringList{QString::fromUtf8(
                            "Pole „SMS pre ovládanie výstupov, 2.výstup, Dĺžka zopnutia (sek.)“ "
                            "musí obsahovať celé číslo od 0 do 255, iné zariadenie neprijme.")});
    EXPECT_EQ(unit.successfulOpens(), 0u);
    EXPECT_TRUE(field->isVisible());
    EXPECT_TRUE(field->hasFocus());
}

// The demo's windows say so, also the dialog whose caption the sequence sets anew; the real
// program's title is checked word for word with the window.
TEST_F(Transfers, TheDemoSaysSoInTheTitleOfEachOfItsWindows) {
    window.setTitleNote(texts::demoNote);
    QString sendTitle;
    duringTransfer([&] {
        if (!window.fSend().isVisible())
            return false;
        sendTitle = window.fSend().windowTitle();
        return true;
    });
    window.btnSendClick();
    const QString note = QString::fromUtf8(" (ukážka, virtuálna jednotka)");
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Programátor QOLMEX 70 - USB") + note);
    EXPECT_EQ(sendTitle, QString::fromUtf8("Odosielanie dát") + note);
    EXPECT_EQ(window.fRead().windowTitle(), QString::fromUtf8("Načítavanie dát") + note);
}

// Whether a button's caption shows its own colour anywhere in the button as drawn.
bool drawsItsColour(QPushButton& button) {
    const QRgb colour = button.palette().color(QPalette::Active, QPalette::ButtonText).rgb();
    const QImage image = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                return true;
    return false;
}

TEST_F(Transfers, ButtonsAreGreyWhileTheWindowIsLockedAndInTheirColoursAfterwards) {
    const QList<QPushButton*> buttons = window.findChildren<QPushButton*>(
        QRegularExpression(QStringLiteral("^btn")), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(buttons.size(), 5);
    QStringList colouredWhileLocked;
    duringTransfer([&] {
        if (!window.fRead().isVisible())
            return false;
        for (QPushButton* button : buttons)
            if (drawsItsColour(*button))
                colouredWhileLocked << button->objectName();
        return true;
    });
    window.btnReadClick();
    EXPECT_TRUE(colouredWhileLocked.isEmpty()) << colouredWhileLocked.join(' ').toStdString();
    for (QPushButton* button : buttons)
        EXPECT_TRUE(drawsItsColour(*button)) << button->objectName().toStdString();
}

TEST(TransferDialogs, GaugeShowsTheShareDoneAndStaysInItsRange) {
    TGauge gauge;
    const std::pair<int, int> cases[] = {{0, 0},   {2040, 50},   {4080, 100},
                                         {-16, 0}, {32896, 100}, {4079, 99}};
    for (const auto& [address, percent] : cases) {
        gauge.setProgress(address);
        EXPECT_EQ(gauge.percentDone(), percent) << address;
    }
}

TEST(TransferDialogs, RefuseToCloseWhileTheLineIsInUse) {
    TransferState state;
    QWidget main;
    TfSend dialog(&main, state);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Odosielanie dát"));
    EXPECT_EQ(dialog.btnCancel->text(), "Storno");
    dialog.showDialog();
    state.DeviceConnected = true;
    dialog.close();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    state.DeviceConnected = false;
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());

    TfRead reader(&main, state);
    EXPECT_EQ(reader.windowTitle(), QString::fromUtf8("Načítavanie dát"));
}

// What the window system is asked for, on every platform: a title bar with no button and no
// system menu on it; Send's dialog in a fixed frame, Read's sizeable.
TEST(TransferDialogs, HaveATitleBarWithoutButtonsAndTheirOwnFrames) {
    TransferState state;
    QWidget main;
    TfSend send(&main, state);
    TfRead read(&main, state);
    const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                    Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint;
    for (TransferProgressDialog* dialog : {static_cast<TransferProgressDialog*>(&send),
                                           static_cast<TransferProgressDialog*>(&read)}) {
        dialog->showDialog();
        const Qt::WindowFlags flags = dialog->windowHandle()->flags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog) << dialog->objectName().toStdString();
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << dialog->objectName().toStdString();
        EXPECT_TRUE(flags & Qt::WindowTitleHint) << dialog->objectName().toStdString();
        EXPECT_FALSE(flags & buttons) << dialog->objectName().toStdString();
    }
    EXPECT_TRUE(send.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
    EXPECT_EQ(send.minimumSize(), send.maximumSize());
    EXPECT_FALSE(read.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
    EXPECT_LT(read.minimumSize().width(), read.maximumSize().width());
}

TEST(TransferDialogs, StornoClearsTheLineFlagAndGivesTheWindowBack) {
    TransferState state;
    state.DeviceConnected = true;
    QWidget main;
    main.setEnabled(false);
    TfRead dialog(&main, state);
    dialog.showDialog();
    QTest::mouseClick(dialog.btnCancel, Qt::LeftButton);
    EXPECT_FALSE(state.DeviceConnected);
    EXPECT_TRUE(state.BlockConfirmed);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(main.isEnabled());
}

TEST(TransferDialogs, StandBeforeTheMainWindowInItsFontWithoutBeingItsChildren) {
    TransferState state;
    QWidget main;
    QFont font(QStringLiteral("Liberation Serif"), 13);
    main.setFont(font);
    main.show();
    TfRead dialog(&main, state);
    EXPECT_EQ(dialog.font(), font);
    dialog.showDialog();
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    ASSERT_NE(dialog.windowHandle(), nullptr);
    EXPECT_EQ(dialog.windowHandle()->transientParent(), main.windowHandle());
    main.setEnabled(false);
    EXPECT_TRUE(dialog.btnCancel->isEnabled());
}

// A short message under a long title: the window manager shows the whole title, beside the
// buttons of the title bar, in its own (mostly bold) title font.
TEST(PlainMessage, IsCentredOnTheScreenAndShowsItsWholeTitle) {
    QWidget main;
    main.setWindowTitle(
        QString::fromUtf8("Programátor QOLMEX 70 - USB (ukážka, virtuálna jednotka)"));
    main.setGeometry(400, 350, 390, 240);
    main.show();
    QPoint centre;
    QString title;
    int width = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        centre = box->frameGeometry().center();
        title = box->windowTitle();
        width = box->width();
        box->accept();
    });
    showPlainMessage(&main, QString::fromUtf8("Nepripojené zariadenie !"));
    const QPoint screenCentre = main.screen()->availableGeometry().center();
    EXPECT_LE((centre - screenCentre).manhattanLength(), 2) << centre.x() << "," << centre.y();
    EXPECT_EQ(title, main.windowTitle());
    QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    titleFont.setBold(true);
    EXPECT_GE(width, QFontMetrics(titleFont).horizontalAdvance(title) + 64);
}

} // namespace
} // namespace qolmex
