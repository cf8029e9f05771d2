#include "support/BeepCounter.h"
#include "widgets/TRealSpinEdit.h"
#include "widgets/TSpinButton.h"
#include "widgets/TTimerSpeedButton.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace qolmex {
namespace {

// What an input method hands over once a dead key and a letter are composed.
void commit(QWidget* control, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(control, &event);
}

// The window system's selection pasted by the middle button, where the platform has one.
bool middleClickPaste(QWidget* control, const QString& text) {
    if (!QGuiApplication::clipboard()->supportsSelection())
        return false;
    QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
    QTest::mouseClick(control, Qt::MiddleButton, {}, QPoint(3, control->height() / 2));
    return true;
}

// A spin edit beside a plain line edit to leave it for, on a shown window.
class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        spin = new TRealSpinEdit;
        other = new QLineEdit;
        layout->addWidget(spin);
        layout->addWidget(other);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        window_->activateWindow();
        spin->setFocus(Qt::OtherFocusReason);
    }

    void limits(int min, int max) {
        spin->setMinValue(fixedFromWhole(min));
        spin->setMaxValue(fixedFromWhole(max));
    }

    void leave() { other->setFocus(Qt::TabFocusReason); }
    void clickUp() { QTest::mouseClick(spin->button()->upButton(), Qt::LeftButton); }
    void clickDown() { QTest::mouseClick(spin->button()->downButton(), Qt::LeftButton); }

    std::unique_ptr<QWidget> window_;
    TRealSpinEdit* spin = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(SpinEditTest, StartsAtZeroWithStepOneAndNoLimits) {
    EXPECT_EQ(spin->text(), "0");
    EXPECT_EQ(spin->value(), 0);
    EXPECT_EQ(spin->increment(), fixedFromWhole(1));
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->text(), "-1");
    spin->setText("300");
    clickUp();
    EXPECT_EQ(spin->text(), "301");
}

TEST_F(SpinEditTest, ArrowsStopAtBothEndsOfTheRange) {
    limits(0, 255);
    spin->setText("255");
    clickUp();
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "255");
    spin->setText("0");
    clickDown();
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->text(), "0");
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "1");
}

TEST_F(SpinEditTest, EmptyTextReadsAsTheMinimumAndIsLeftAlone) {
    limits(1, 255);
    spin->setText("");
    EXPECT_EQ(spin->value(), fixedFromWhole(1));
    leave();
    EXPECT_EQ(spin->text(), "");
    clickUp();
    EXPECT_EQ(spin->text(), "2");
}

TEST_F(SpinEditTest, AnOutOfRangeNumberIsLimitedOnLeavingOrStepping) {
    limits(0, 255);
    spin->setText("300");
    EXPECT_EQ(spin->value(), fixedFromWhole(300)); // reading never limits
    leave();
    EXPECT_EQ(spin->text(), "255");

    spin->setText("300");
    clickUp();
    EXPECT_EQ(spin->text(), "255");
    spin->setText("300");
    clickDown();
    EXPECT_EQ(spin->text(), "255");
}

TEST_F(SpinEditTest, AHugeNumberSteppedEndsAtTheLimit) {
    limits(0, 255);
    spin->setText("922337203685477");
    clickUp();
    EXPECT_EQ(spin->text(), "255");
    limits(0, 0);
    spin->setText("-922337203685477");
    clickDown();
    EXPECT_EQ(spin->text(), "-922337203685477.5808");
}

TEST_F(SpinEditTest, ANumberInRangeKeepsItsSpellingOnLeaving) {
    limits(0, 255);
    spin->setText("007");
    leave();
    EXPECT_EQ(spin->text(), "007");
    clickUp();
    EXPECT_EQ(spin->text(), "8");

    spin->setText("abc");
    leave();
    EXPECT_EQ(spin->text(), "abc");
}

TEST_F(SpinEditTest, OnlyDigitsAndControlKeysCanBeTyped) {
    BeepCounter beeps;
    spin->clear();
    QTest::keyClicks(spin, "-+.,a 1");
    QTest::keyClick(spin, Qt::Key_Return);
    EXPECT_EQ(spin->text(), "1");
    EXPECT_EQ(beeps.count(), 7);

    QTest::keyClicks(spin, "23");
    QTest::keyClick(spin, Qt::Key_Backspace);
    EXPECT_EQ(spin->text(), "12");
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier); // select all
    QTest::keyClick(spin, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "12");
    EXPECT_EQ(beeps.count(), 7);
}

TEST_F(SpinEditTest, TypingStopsAtTheLimitButASetTextIsKeptWhole) {
    spin->setTypingLimit(3);
    spin->clear();
    QTest::keyClicks(spin, "1234");
    EXPECT_EQ(spin->text(), "123");

    spin->setText("1000");
    EXPECT_EQ(spin->text(), "1000");
    spin->end(false);
    QTest::keyClick(spin, Qt::Key_5);
    EXPECT_EQ(spin->text(), "1000");
    QTest::keyClick(spin, Qt::Key_Backspace);
    EXPECT_EQ(spin->text(), "100");

    QGuiApplication::clipboard()->setText("98765");
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "987");
}

TEST_F(SpinEditTest, AReadOnlyFieldOnlyBeeps) {
    BeepCounter beeps;
    limits(0, 255);
    spin->setText("5");
    spin->setReadOnly(true);
    clickUp();
    clickDown();
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Down);
    EXPECT_EQ(spin->text(), "5");
    EXPECT_EQ(beeps.count(), 4);
}

TEST_F(SpinEditTest, WithTheEditorOffTextCannotChangeButArrowsStep) {
    BeepCounter beeps;
    spin->setEditorEnabled(false);
    spin->setText("42");
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_7);
    QTest::keyClick(spin, Qt::Key_Backspace);
    EXPECT_EQ(beeps.count(), 2);
    QTest::keyClick(spin, Qt::Key_X, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("9");
    QTest::keyClick(spin, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(spin->text(), "42");

    std::unique_ptr<QMenu> menu(spin->createContextMenu());
    for (QAction* action : menu->actions())
        action->trigger();
    EXPECT_EQ(spin->text(), "42");

    clickUp();
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->text(), "44");
}

TEST_F(SpinEditTest, ContextMenuPastesWithinTheLimitWhenEditable) {
    spin->setTypingLimit(3);
    spin->clear();
    QGuiApplication::clipboard()->setText("12345");
    std::unique_ptr<QMenu> menu(spin->createContextMenu());
    for (QAction* action : menu->actions())
        if (action->text() == QLineEdit::tr("&Paste"))
            action->trigger();
    EXPECT_EQ(spin->text(), "123");
}

TEST_F(SpinEditTest, EnteringByKeyboardSelectsTheTextAClickDoesNot) {
    spin->setText("123");
    leave();
    QTest::keyClick(other, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(spin->hasFocus());
    EXPECT_EQ(spin->selectedText(), "123");

    leave();
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(3, spin->height() / 2));
    ASSERT_TRUE(spin->hasFocus());
    EXPECT_TRUE(spin->selectedText().isEmpty());

    spin->setAutoSelect(false);
    leave();
    QTest::keyClick(other, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(spin->selectedText().isEmpty());
}

TEST_F(SpinEditTest, PressingAnArrowMovesTheFocusToTheEdit) {
    leave();
    clickUp();
    EXPECT_TRUE(spin->hasFocus());
    EXPECT_EQ(spin->text(), "1");
}

TEST_F(SpinEditTest, NeverShorterThanItsTextNeeds) {
    spin->resize(spin->width(), 5);
    EXPECT_GE(spin->height(), spin->fontMetrics().height() + 6);
    EXPECT_EQ(spin->height(), spin->minimumHeight());
}


TEST_F(SpinEditTest, InputMethodTextObeysTheKeyRulesAndTheLimit) {
    BeepCounter beeps;
    spin->setTypingLimit(3);
    spin->clear();
    commit(spin, QString::fromUtf8("éô1"));
    EXPECT_EQ(spin->text(), "1");
    EXPECT_EQ(beeps.count(), 1);
    commit(spin, "2345");
    EXPECT_EQ(spin->text(), "123");
    EXPECT_EQ(beeps.count(), 1);

    spin->setEditorEnabled(false);
    spin->clear();
    commit(spin, "7");
    EXPECT_EQ(spin->text(), "");
    EXPECT_EQ(beeps.count(), 2);
}

TEST_F(SpinEditTest, MiddleButtonPasteKeepsTheLimitAndTheEditorState) {
    spin->setTypingLimit(3);
    spin->clear();
    if (!middleClickPaste(spin, QString(34, '9')))
        GTEST_SKIP() << "the platform has no selection to paste";
    EXPECT_EQ(spin->text(), "999");
    spin->setEditorEnabled(false);
    spin->clear();
    middleClickPaste(spin, "5");
    EXPECT_EQ(spin->text(), "");
}

TEST_F(SpinEditTest, AContextMenuOrAnotherWindowIsNotLeavingTheField) {
    limits(0, 255);
    spin->setText("300");
    QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, QPoint(3, 3),
                                  spin->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(spin, &menuRequest);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(spin->text(), "300");
    menu->close();

    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(spin, &away);
    EXPECT_EQ(spin->text(), "300");
    spin->setFocus(Qt::OtherFocusReason);
    leave();
    EXPECT_EQ(spin->text(), "255");
}

} // namespace
} // namespace qolmex
