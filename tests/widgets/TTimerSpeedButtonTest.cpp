#include "widgets/TSpinButton.h"
#include "widgets/TTimerSpeedButton.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace qolmex {
namespace {

// The repeat timer is driven by hand so that a hold of a second costs no real time.
class HoldTest : public ::testing::Test {
protected:
    void SetUp() override {
        spin = std::make_unique<TSpinButton>();
        spin->resize(20, 40);
        spin->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(spin.get()));
        button = spin->upButton();
    }

    void tick() {
        ASSERT_TRUE(button->repeatTimer());
        ASSERT_TRUE(button->repeatTimer()->isActive());
        QMetaObject::invokeMethod(const_cast<QTimer*>(button->repeatTimer()), "timeout");
    }

    void moveTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, button->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &move);
    }

    std::unique_ptr<TSpinButton> spin;
    TTimerSpeedButton* button = nullptr;
};

TEST_F(HoldTest, RepeatsAfter400MsThenEvery100MsAndOnceMoreOnRelease) {
    QSignalSpy ups(spin.get(), &TSpinButton::upClick);
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_TRUE(button->isDown());
    EXPECT_EQ(ups.count(), 0);
    EXPECT_EQ(button->repeatTimer()->interval(), 400);

    // 400, 500, ... 1000 ms: seven steps.
    for (int i = 0; i < 7; ++i)
        tick();
    EXPECT_EQ(ups.count(), 7);
    EXPECT_EQ(button->repeatTimer()->interval(), 100);

    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(ups.count(), 8);
    EXPECT_FALSE(button->repeatTimer()->isActive());
    EXPECT_FALSE(button->isDown());
}

TEST_F(HoldTest, AShortClickStepsOnce) {
    QSignalSpy ups(spin.get(), &TSpinButton::upClick);
    QSignalSpy downs(spin.get(), &TSpinButton::downClick);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(ups.count(), 1);
    QTest::mouseClick(spin->downButton(), Qt::LeftButton);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_EQ(ups.count(), 1);
}

TEST_F(HoldTest, OffTheButtonItRisesAndPausesAndAReleaseThereDoesNotClick) {
    QSignalSpy ups(spin.get(), &TSpinButton::upClick);
    QTest::mousePress(button, Qt::LeftButton);
    tick();
    moveTo(QPoint(-30, -30));
    EXPECT_FALSE(button->isDown());
    tick();
    tick();
    EXPECT_EQ(ups.count(), 1);

    moveTo(QPoint(2, 2));
    EXPECT_TRUE(button->isDown());
    tick();
    EXPECT_EQ(ups.count(), 2);

    moveTo(QPoint(-30, -30));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_EQ(ups.count(), 2);
    EXPECT_FALSE(button->repeatTimer()->isActive());
}

TEST_F(HoldTest, APopupTakingTheMouseOrHidingOrDisablingEndsTheHold) {
    QSignalSpy ups(spin.get(), &TSpinButton::upClick);
    QTest::mousePress(button, Qt::LeftButton);
    {
        QMenu popup;
        popup.addAction("x");
        popup.popup(spin->mapToGlobal(QPoint(0, 0)));
        ASSERT_EQ(QApplication::activePopupWidget(), &popup);
        QMetaObject::invokeMethod(const_cast<QTimer*>(button->repeatTimer()), "timeout");
    }
    EXPECT_EQ(ups.count(), 0);
    EXPECT_FALSE(button->repeatTimer()->isActive());
    EXPECT_FALSE(button->isDown());
    QTest::mouseRelease(button, Qt::LeftButton); // the release went to the popup
    EXPECT_EQ(ups.count(), 0);

    QTest::mousePress(button, Qt::LeftButton);
    spin->hide();
    EXPECT_FALSE(button->repeatTimer()->isActive());
    spin->show();
    QTest::mousePress(button, Qt::LeftButton);
    button->setEnabled(false);
    EXPECT_FALSE(button->repeatTimer()->isActive());
    EXPECT_EQ(ups.count(), 0);
}

TEST_F(HoldTest, ButtonsShareTheirMiddleLine) {
    spin->resize(20, 25);
    EXPECT_EQ(spin->upButton()->geometry(), QRect(0, 0, 20, 12));
    EXPECT_EQ(spin->downButton()->geometry(), QRect(0, 11, 20, 14));
    spin->resize(5, 25);
    EXPECT_EQ(spin->width(), TSpinButton::minimumWidth);
}

TEST_F(HoldTest, AsATabStopItTakesSpaceAndTheArrowKeys) {
    QSignalSpy ups(spin.get(), &TSpinButton::upClick);
    QSignalSpy downs(spin.get(), &TSpinButton::downClick);
    spin->setFocusPolicy(Qt::TabFocus);
    spin->activateWindow();
    spin->setFocus();
    QTest::keyClick(spin.get(), Qt::Key_Space);
    EXPECT_EQ(ups.count(), 1);
    QTest::keyClick(spin.get(), Qt::Key_Down);
    EXPECT_EQ(downs.count(), 1);
    EXPECT_TRUE(spin->downButton()->focusMarked());
    EXPECT_FALSE(spin->upButton()->focusMarked());
    QTest::keyClick(spin.get(), Qt::Key_Space);
    EXPECT_EQ(downs.count(), 2);
    QTest::keyClick(spin.get(), Qt::Key_Up);
    EXPECT_EQ(ups.count(), 2);
    EXPECT_TRUE(spin->upButton()->focusMarked());
}

TEST(FocusControl, IsForgottenWhenItIsDestroyed) {
    TSpinButton spin;
    auto edit = std::make_unique<QLineEdit>();
    spin.setFocusControl(edit.get());
    edit.reset();
    EXPECT_EQ(spin.focusControl(), nullptr);
    QTest::mouseClick(spin.upButton(), Qt::LeftButton); // must not touch the dead edit
}

} // namespace
} // namespace qolmex
