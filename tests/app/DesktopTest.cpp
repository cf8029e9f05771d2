// The window on the desktops installers have. This program runs on Qt's offscreen platform
// with screens of several sizes and scales, and on a virtual X server with the desktop's dark
// theme; given QOLMEX_SCREENSHOT, it keeps a picture of the screen there.
#include "WindowLook.h"

#include "app/LightPalette.h"
#include "app/TfMain.h"
#include "transfer/TransferTexts.h"
#include "transfer/uRead.h"
#include "transfer/uSend.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace qolmex {
namespace {

class Desktop : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<TfMain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Shows every page of every pager in turn, as far as a pager has that many.
    template <typename Check>
    void onEveryPage(Check check) {
        for (int page = 0; page < 4; ++page) {
            for (QTabWidget* pager : window->findChildren<QTabWidget*>())
                pager->setCurrentIndex(std::min(page, pager->count() - 1));
            QCoreApplication::processEvents(); // the new pages lay themselves out
            check();
        }
    }

    // The waiting Send dialog and the Read dialog half way, as a transfer shows them.
    void showDialogs() {
        TfSend& send = window->fSend();
        send.setLabel(texts::waitingLabel);
        send.setGaugeVisible(false);
        send.showDialog();
        TfRead& read = window->fRead();
        read.setLabel(texts::transferringLabel);
        read.setCancelVisible(false);
        read.setProgress(2040);
        read.showDialog();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&send));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&read));
    }

    void expectWholeWindowReadable() {
        onEveryPage([this] { expectReadable(*window); });
        const QImage rendered = window->grab().toImage();
        auto fill = [&](const char* name) {
            const QWidget& edit = *window->control(name);
            return dominantColour(rendered, *window, edit, edit.rect().adjusted(3, 3, -3, -3));
        };
        EXPECT_EQ(fill("editTCV1_1"), QColor(Qt::white));
        EXPECT_EQ(fill("editTCV1_2"), lightColours::buttonFace);
        showDialogs();
        expectReadable(window->fSend());
        expectReadable(window->fRead());
    }

    std::unique_ptr<TfMain> window;
};

// At 202, 216 where the window with its frame fits the screen beside the panels; otherwise
// moved up and left until its far edges meet the screen's, but never past its top left corner.
TEST_F(Desktop, TheWindowStandsWhollyOnItsScreenAsNearItsPlaceAsItFits) {
    const QRect area = window->screen()->availableGeometry();
    const QRect frame = window->frameGeometry();
    EXPECT_EQ(window->size(), QSize(800, 600));
    const QPoint home(202, 216);
    if (area.contains(QRect(home, frame.size()))) {
        EXPECT_EQ(frame.topLeft(), home);
    }
    auto expectPlaced = [](int at, int wanted, int size, int areaStart, int areaSize) {
        if (size > areaSize)
            EXPECT_EQ(at, areaStart);
        else if (at != wanted)
            EXPECT_EQ(at + size, areaStart + areaSize);
        else
            EXPECT_LE(at + size, areaStart + areaSize);
    };
    expectPlaced(frame.x(), home.x(), frame.width(), area.x(), area.width());
    expectPlaced(frame.y(), home.y(), frame.height(), area.y(), area.height());
}

TEST_F(Desktop, EveryTextFitsItsPlaceOnEveryPageAndInTheDialogs) {
    onEveryPage([this] { expectFits(*window); });
    for (QTabWidget* pager : window->findChildren<QTabWidget*>())
        pager->setCurrentIndex(0); // the screenshot shows the window as it opens
    showDialogs();
    for (QWidget* dialog :
         {static_cast<QWidget*>(&window->fSend()), static_cast<QWidget*>(&window->fRead())}) {
        expectFits(*dialog);
        EXPECT_EQ(dialog->font(), window->font());
        EXPECT_TRUE(window->screen()->availableGeometry().contains(dialog->frameGeometry()));
    }
    if (const QString path = qEnvironmentVariable("QOLMEX_SCREENSHOT"); !path.isEmpty()) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(window->screen()->grabWindow(0).save(path)) << path.toStdString();
    }
}

TEST_F(Desktop, EveryTextStandsOutFromItsBackground) {
    if (qEnvironmentVariableIsSet("QOLMEX_DESKTOP_DARK")) {
        ASSERT_LT(QApplication::palette().color(QPalette::Window).lightness(), 128)
            << "the desktop's dark theme did not load";
    }
    expectWholeWindowReadable();
}

// A dark desktop gives the application light text on dark faces.
QPalette darkPalette() {
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(role, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    return dark;
}

class DarkDesktop : public Desktop {
protected:
    void SetUp() override {
        desktops_ = QApplication::palette();
        QApplication::setPalette(darkPalette());
        Desktop::SetUp();
    }
    void TearDown() override {
        window.reset();
        QApplication::setPalette(desktops_);
    }

private:
    QPalette desktops_;
};

TEST_F(DarkDesktop, KeepsTheWindowsOwnColoursSoEveryTextStandsOut) {
    expectWholeWindowReadable();
}

} // namespace
} // namespace qolmex
