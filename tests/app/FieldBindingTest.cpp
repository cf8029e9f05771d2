#include "MainWindowFixture.h"

#include "app/LightPalette.h"
#include "widgets/TRealSpinEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <string>

namespace qolmex {
namespace {

using BindingTest = MainWindowFixture;

QColor base(QWidget* control) {
    return control->palette().color(QPalette::Active, QPalette::Base);
}
const QColor windowColour() { return lightColours::window; }
const QColor buttonFace() { return lightColours::buttonFace; }

TEST_F(BindingTest, PhoneNumbersTakeOnlyPlusAndDigitsUpTo14) {
    auto* edit = control<QLineEdit>("editTCV1_1");
    QTest::keyClicks(edit, "+421 905-123*#a");
    EXPECT_EQ(edit->text(), "+421905123");
    EXPECT_EQ(config().text("editTCV1_1"), "+421905123");
    QTest::keyClicks(edit, "456789");
    EXPECT_EQ(config().text("editTCV1_1"), "+4219051234567");
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(config().text("editTCV1_1"), "+421905123456");
}

TEST_F(BindingTest, SmsTextsTakePrintableAsciiUpTo127AndNoLineBreak) {
    auto* memo = control<QPlainTextEdit>("memoSMSZAP1");
    QTest::keyClicks(memo, "Zap ");
    // Letters with diacritics have no key of their own in the test's key table.
    for (QChar letter : QString::fromUtf8("ýčž"))
        QTest::sendKeyEvent(QTest::Click, memo, Qt::Key_unknown, QString(letter), Qt::NoModifier);
    QTest::keyClicks(memo, " 1, ok!~");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClick(memo, Qt::Key_Enter);
    EXPECT_EQ(config().text("memoSMSZAP1"), "Zap  1, ok!~");
    QTest::keyClick(memo, Qt::Key_Backspace);
    EXPECT_EQ(config().text("memoSMSZAP1"), "Zap  1, ok!");

    memo->clear();
    QTest::keyClicks(memo, QString(130, 'x'));
    EXPECT_EQ(config().text("memoSMSZAP1"), std::string(127, 'x'));
}

void commit(QWidget* control, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(control, &event);
}

// Dead keys of the Slovak layout arrive as input-method text, not as key presses.
TEST_F(BindingTest, InputMethodTextMeetsTheSameFilterAndLimitAsKeys) {
    auto* edit = control<QLineEdit>("editTCV1_1");
    commit(edit, QString::fromUtf8("éô1+"));
    EXPECT_EQ(config().text("editTCV1_1"), "1+");
    commit(edit, QString(20, '2'));
    EXPECT_EQ(config().text("editTCV1_1"), "1+222222222222");

    auto* memo = control<QPlainTextEdit>("memoSMSZAP1");
    commit(memo, QString::fromUtf8("aôäb\n"));
    EXPECT_EQ(config().text("memoSMSZAP1"), "ab");
    commit(memo, QString(200, 'x'));
    EXPECT_EQ(config().text("memoSMSZAP1").size(), 127u);

    auto* dtmf = control<QLineEdit>("MemoDTMFZAP1");
    commit(dtmf, QString::fromUtf8("*1ň#"));
    EXPECT_EQ(config().text("MemoDTMFZAP1"), "1");
}

TEST_F(BindingTest, MiddleButtonPasteStopsAtTheLimit) {
    if (!QGuiApplication::clipboard()->supportsSelection())
        GTEST_SKIP() << "the platform has no selection to paste";
    auto* edit = control<QLineEdit>("editPOV1_1");
    QGuiApplication::clipboard()->setText(QString(34, '5'), QClipboard::Selection);
    QTest::mouseClick(edit, Qt::MiddleButton, {}, QPoint(3, edit->height() / 2));
    EXPECT_EQ(config().text("editPOV1_1"), std::string(14, '5'));
}

// The record holds CR LF between lines, whether the text came from a file or was edited.
TEST_F(BindingTest, AnEditedTextKeepsItsLineBreaksCrLf) {
    config().setText("memoSMSV1", "ab\r\ncd");
    auto* memo = control<QPlainTextEdit>("memoSMSV1");
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_X);
    EXPECT_EQ(config().text("memoSMSV1"), "ab\r\ncdx");
    memo->setPlainText("one\ntwo");
    EXPECT_EQ(config().text("memoSMSV1"), "one\r\ntwo");
}

TEST_F(BindingTest, TheFirstCharacterOpensTheNextPositionAndDeletingClosesIt) {
    auto* first = control<QLineEdit>("editPZS2_1");
    auto* second = control<QLineEdit>("editPZS2_2");
    EXPECT_FALSE(second->isEnabled());
    EXPECT_EQ(base(second), buttonFace());
    QTest::keyClick(first, Qt::Key_5);
    EXPECT_TRUE(second->isEnabled());
    EXPECT_EQ(base(second), windowColour());
    EXPECT_TRUE(second->text().isEmpty());
    EXPECT_FALSE(control("editPZS2_3")->isEnabled());

    QTest::keyClick(first, Qt::Key_Backspace);
    EXPECT_FALSE(second->isEnabled());
    EXPECT_EQ(base(second), buttonFace());
    EXPECT_TRUE(first->isEnabled());
}

TEST_F(BindingTest, DeletingAMiddlePositionEmptiesAndGreysTheRest) {
    for (int k = 1; k <= 6; ++k)
        config().setText("editTCV1_" + std::to_string(k), "090" + std::to_string(k));
    auto* third = control<QLineEdit>("editTCV1_3");
    third->selectAll();
    QTest::keyClick(third, Qt::Key_Backspace);
    for (int k = 1; k <= 8; ++k) {
        auto* edit = control<QLineEdit>("editTCV1_" + std::to_string(k));
        EXPECT_EQ(edit->isEnabled(), k <= 3) << k;
        EXPECT_EQ(base(edit), k <= 3 ? windowColour() : buttonFace()) << k;
        EXPECT_EQ(edit->text().isEmpty(), k >= 3) << k;
    }
    EXPECT_EQ(control<QLineEdit>("editTCV1_2")->text(), "0902");
}

TEST_F(BindingTest, EveryHighByteIsShownAndWrittenBackUnchanged) {
    std::string all;
    for (int b = 0x80; b <= 0xFF; ++b)
        all.push_back(static_cast<char>(b));
    config().setText("memoSMSNV2", all); // set whole, beyond the typing limit
    auto* memo = control<QPlainTextEdit>("memoSMSNV2");
    for (const char* letter : {"č", "ž", "ý", "ô", "ľ", "Ľ", "ĺ", "ŕ", "ä", "š", "ť", "ď", "ň"})
        EXPECT_TRUE(memo->toPlainText().contains(QString::fromUtf8(letter))) << letter;

    // Nothing typed: the record keeps the bytes. Deleting the last character writes back.
    QTextCursor end = memo->textCursor();
    end.movePosition(QTextCursor::End);
    memo->setTextCursor(end);
    QTest::keyClick(memo, Qt::Key_Backspace);
    EXPECT_EQ(config().text("memoSMSNV2"), all.substr(0, all.size() - 1));

    config().setText("editPOV1_1", "\x81\x83\x88\x90\x98");
    auto* edit = control<QLineEdit>("editPOV1_1");
    edit->setCursorPosition(0);
    QTest::keyClick(edit, Qt::Key_1);
    EXPECT_EQ(config().text("editPOV1_1"), "1\x81\x83\x88\x90\x98");
}

TEST_F(BindingTest, AnUntouchedTextKeepsItsBytesWhenPagesChange) {
    config().setText("memoSMSV1", "a\r\nb");
    config().setText("editPOO2_1", "12345678901234567890");
    for (QTabWidget* pager : window->findChildren<QTabWidget*>())
        pager->setCurrentIndex(1);
    control("memoSMSV1")->setFocus();
    control("editPOO2_1")->setFocus();
    EXPECT_EQ(config().text("memoSMSV1"), "a\r\nb");
    EXPECT_EQ(config().text("editPOO2_1"), "12345678901234567890");
    EXPECT_EQ(control<QLineEdit>("editPOO2_1")->text(), "12345678901234567890");
}

TEST_F(BindingTest, DtmfCodesAreNeverVisible) {
    config().setText("MemoDTMFZAP1", "123");
    for (QTabWidget* pager : window->findChildren<QTabWidget*>())
        for (int i = 0; i < pager->count(); ++i)
            pager->setCurrentIndex(i);
    auto* sms = window->findChild<QTabWidget*>("pagerOutputSms");
    for (int page = 0; page < 2; ++page) {
        sms->setCurrentIndex(page);
        for (const char* name : {"MemoDTMFZAP1", "MemoDTMFZAP2", "MemoDTMFVYP1", "MemoDTMFVYP2"})
            EXPECT_FALSE(control(name)->isVisible()) << name;
    }
    EXPECT_EQ(control<QLineEdit>("memoDTMFzap1")->text(), "123");
}

TEST_F(BindingTest, SpinFieldsKeepTheirRangesAndWriteThroughToTheRecord) {
    auto* cas = control<TRealSpinEdit>("spinCAS");
    EXPECT_EQ(cas->text(), "0");
    cas->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(cas, "123");
    EXPECT_EQ(config().text("spinCAS"), "12");
    QTest::keyClick(cas, Qt::Key_Up);
    EXPECT_EQ(config().text("spinCAS"), "13");

    config().setText("SpinCASRELE1", "300");
    auto* relay = control<TRealSpinEdit>("SpinCASRELE1");
    window->findChild<QTabWidget*>("pagerOutputSms")->setCurrentIndex(0);
    relay->setFocus(Qt::TabFocusReason);
    control("spinDELAY1")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(config().text("SpinCASRELE1"), "255");

    auto* kredit = control<TRealSpinEdit>("spinKREDIT");
    kredit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(kredit, "95");
    EXPECT_EQ(config().text("spinKREDIT"), "9");
    EXPECT_EQ(control<TRealSpinEdit>("spinDELAY2")->text(), "1");
    EXPECT_EQ(control<TRealSpinEdit>("spinINTERVAL")->typingLimit(), 3);
}

TEST_F(BindingTest, PolarityMovesOnlyWithinOneInput) {
    auto* closing1 = control<QAbstractButton>("rbVST1_1");
    auto* opening1 = control<QAbstractButton>("rbVST1_2");
    QTest::mouseClick(opening1, Qt::LeftButton);
    EXPECT_TRUE(config().isChosen("rbVST1_2"));
    EXPECT_FALSE(closing1->isChecked());
    EXPECT_TRUE(control<QAbstractButton>("rbVST2_1")->isChecked());

    QTest::mouseClick(opening1, Qt::LeftButton); // a click on the chosen one keeps it
    EXPECT_TRUE(opening1->isChecked());
    EXPECT_TRUE(config().isChosen("rbVST1_2"));

    config().setChosen("rbVST1_2", false); // as a file may leave it
    EXPECT_FALSE(opening1->isChecked());
    EXPECT_FALSE(closing1->isChecked());
}

} // namespace
} // namespace qolmex
