#include "MainWindowFixture.h"

#include "config/ClearConfiguration.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <string>

namespace qolmex {
namespace {

using TfMainTest = MainWindowFixture;

QGroupBox* groupTitled(QWidget& window, const QString& title) {
    for (QGroupBox* box : window.findChildren<QGroupBox*>())
        if (box->title() == title)
            return box;
    return nullptr;
}

QStringList tabCaptions(const QTabWidget& pager) {
    QStringList captions;
    for (int i = 0; i < pager.count(); ++i)
        captions << pager.tabText(i);
    return captions;
}

TEST_F(TfMainTest, GroupsSitAtTheirPlacesInTheirColours) {
    EXPECT_EQ(window->objectName(), "fMain");
    EXPECT_EQ(window->windowTitle(), "Programátor QOLMEX 70 - USB");
    EXPECT_EQ(window->size(), QSize(800, 600));
    struct Expected {
        QString title;
        QRect place;
        QColor colour;
    };
    const Expected groups[] = {
        {"Tel. čísla pre zasielanie SMS", {0, 0, 177, 573}, QColor(0xFF, 0xE1, 0xE6)},
        {"Tel. čísla pre stavové SMS", {177, 0, 175, 305}, QColor(0xFF, 0xFF, 0xDF)},
        {"SMS pre ovládanie výstupov", {177, 304, 175, 249}, QColor(0xDF, 0xDF, 0xFF)},
        {"Telefónne čísla pre ovládanie výstupov prezvonením a zasielaním SMS",
         {351, 0, 441, 553}, QColor(0xDF, 0xDF, 0xFF)},
    };
    for (const Expected& expected : groups) {
        QGroupBox* box = groupTitled(*window, expected.title);
        ASSERT_NE(box, nullptr) << expected.title.toStdString();
        EXPECT_EQ(box->geometry(), expected.place);
        EXPECT_EQ(box->palette().color(box->backgroundRole()), expected.colour);
        EXPECT_TRUE(box->autoFillBackground());
    }
}

TEST_F(TfMainTest, PagersStartAtTheirFirstPageAndCarryTheExactCaptions) {
    const auto* inputs = window->findChild<QTabWidget*>("pagerInputs");
    const auto* sms = window->findChild<QTabWidget*>("pagerOutputSms");
    const auto* numbers = window->findChild<QTabWidget*>("pagerOutputNumbers");
    ASSERT_TRUE(inputs && sms && numbers);
    EXPECT_EQ(tabCaptions(*inputs), QStringList({"1. vstup", "2. vstup"}));
    EXPECT_EQ(tabCaptions(*sms), QStringList({"1.výstup", "2.výstup"}));
    EXPECT_EQ(tabCaptions(*numbers),
              QStringList({"1. výstup - pezvonenie", "2. výstup - prezvonenie", "1.výstup - SMS",
                           "2.výstup - SMS"}));
    for (const QTabWidget* pager : {inputs, sms, numbers})
        EXPECT_EQ(pager->currentIndex(), 0);
    EXPECT_EQ(numbers->tabBar()->tabRect(3).right() < numbers->tabBar()->width(), true)
        << "the last tab is cut off";
}

TEST_F(TfMainTest, EveryLabelIsThere) {
    QStringList labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        labels << label->text();
    for (const char* text :
         {"1. číslo", "8. číslo", "9. číslo", "10.číslo", "64.číslo", "1.číslo", "8.číslo",
          "Text SMS\nzaslaný pri\naktivácii", "Text SMS\nzaslaný pri\ndeaktivácii",
          "Tel. čísla pre zvukové signály", "Polarita vstupu", "Oneskorenie (sek.)",
          "Interval zasielania", "(dní)", "Čas zasielania", "(hod.)",
          "Upozornenie na\nkredit nižší ako", "(€)", "Text SMS\n- zapnutie", "Text SMS\n- vypnutie",
          "Dĺžka zopnutia (sek.)"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    EXPECT_FALSE(labels.contains("10. číslo"));
    EXPECT_EQ(control<QAbstractButton>("rbVST2_1")->text(), "Spínací");
    EXPECT_EQ(control<QAbstractButton>("rbVST2_2")->text(), "Rozpínací");
}

TEST_F(TfMainTest, HintsOfControlsPagesAndGroups) {
    EXPECT_EQ(control("SpinCASRELE1")->toolTip(),
              "Čas zopnutia výstupného relé v sekundách, max. 255  (0=trvalé prepnutie)");
    EXPECT_EQ(control("SpinCASRELE2")->toolTip(),
              "Čas zopnutia výstupného relé v sekundách, max 255  (0=trvalé prepnutie)");
    EXPECT_EQ(control("editPZS2_8")->toolTip(),
              "Tel. číslo, na ktoré bude odvzdaný zvukový signál o aktivovaní vstupu.");
    EXPECT_EQ(control("rbVST1_2")->toolTip(), "Vstup sa aktivuje odpojením napätia");
    // A position of POV has no hint of its own: it shows its page's.
    EXPECT_TRUE(control("editPOV2_5")->toolTip().isEmpty());
    EXPECT_EQ(control("editPOV2_5")->parentWidget()->toolTip(),
              "Tel. čísla, z ktorých bude možné ovládať 2.výstup prezvonením");
    EXPECT_EQ(groupTitled(*window, "Telefónne čísla pre ovládanie výstupov prezvonením a "
                                   "zasielaním SMS")->toolTip(),
              "Tel. čísla, z ktorých bude možné ovládať výstupy ");
    EXPECT_EQ(window->findChild<QTabWidget*>("pagerOutputNumbers")->toolTip(),
              "Tel. čísla, z ktorých bude možné ovládať výstupy");
    EXPECT_EQ(control("editTCZSSMS_3")->parentWidget()->toolTip(),
              "Tel. čísla, na ktoré budú odosielané SMS o stave volača");
}

TEST_F(TfMainTest, PovPositionsStandInThreeColumns) {
    auto at = [this](int k) { return control("editPOV1_" + std::to_string(k))->geometry(); };
    EXPECT_EQ(at(1).x(), at(22).x());
    EXPECT_LT(at(1).y(), at(22).y());
    EXPECT_LT(at(22).right(), at(23).x());
    EXPECT_EQ(at(23).y(), at(1).y());
    EXPECT_EQ(at(23).x(), at(44).x());
    EXPECT_LT(at(44).right(), at(45).x());
    EXPECT_EQ(at(45).x(), at(64).x());
    EXPECT_EQ(at(64).y(), at(20).y());
}

TEST_F(TfMainTest, ButtonsLookAsTheyShould) {
    struct Expected {
        const char* name;
        QString caption;
        int x;
        QColor text;
    };
    const Expected buttons[] = {
        {"btnClear", "&Vyčistiť", 328, QColor(0x00, 0x80, 0x80)},
        {"btnSave", "&Uložiť", 432, QColor(Qt::black)},
        {"btnOpen", "&Otvoriť", 520, QColor(0x00, 0x80, 0xFF)},
        {"btnRead", "&Načítať", 624, QColor(0xAF, 0x69, 0x01)},
        {"btnSend", "O&doslať", 712, QColor(0xFF, 0x00, 0x80)},
    };
    for (const Expected& expected : buttons) {
        auto* button = window->findChild<QPushButton*>(expected.name);
        ASSERT_NE(button, nullptr) << expected.name;
        EXPECT_EQ(button->text(), expected.caption);
        EXPECT_EQ(button->geometry(), QRect(expected.x, 553, 73, 20));
        EXPECT_TRUE(button->font().bold());
        EXPECT_EQ(button->palette().color(QPalette::ButtonText), expected.text);
    }
    EXPECT_EQ(window->findChild<QPushButton*>("btnSend")->font().pixelSize(), 15);
    EXPECT_EQ(window->findChild<QPushButton*>("btnRead")->toolTip(),
              "Načíta konfiguračné dáta z volača do PC (Alt+N)");
    EXPECT_EQ(window->findChild<QPushButton*>("btnClear")->toolTip(),
              "Vymaže dáta z formulára (Alt+V)");
}

TEST_F(TfMainTest, AltShortcutsPressTheButtons) {
    const std::pair<const char*, Qt::Key> shortcuts[] = {
        {"btnClear", Qt::Key_V}, {"btnSave", Qt::Key_U}, {"btnOpen", Qt::Key_O},
        {"btnRead", Qt::Key_N},  {"btnSend", Qt::Key_D},
    };
    control("editPOV1_1")->setFocus();
    for (const auto& [name, key] : shortcuts) {
        auto* button = window->findChild<QPushButton*>(name);
        // Only the press is tested here; the handlers' dialogs would wait for a user.
        QObject::disconnect(button, &QPushButton::clicked, window.get(), nullptr);
        QSignalSpy clicks(button, &QPushButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        EXPECT_TRUE(clicks.count() == 1 || clicks.wait(1000)) << name;
    }
}

TEST_F(TfMainTest, Timer1IsOffAtStartAndEachTickSetsTheFlag) {
    QTimer* timer = window->timer1();
    EXPECT_EQ(timer->objectName(), "Timer1");
    EXPECT_EQ(timer->interval(), 2000);
    EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(timer->isSingleShot());
    EXPECT_FALSE(window->transferState().ReplyTimedOut);
    timer->start();
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_TRUE(window->transferState().ReplyTimedOut);
    EXPECT_TRUE(timer->isActive());
}

TEST_F(TfMainTest, ClearEmptiesBothFullPovListsAndKeepsThePages) {
    for (int list = 1; list <= 2; ++list)
        for (int k = 1; k <= 64; ++k)
            config().setText("editPOV" + std::to_string(list) + "_" + std::to_string(k), "0905");
    config().setChosen("rbVST2_2", true);
    ASSERT_TRUE(control("editPOV2_64")->isEnabled());
    auto* numbers = window->findChild<QTabWidget*>("pagerOutputNumbers");
    numbers->setCurrentIndex(1);

    QTest::mouseClick(window->findChild<QPushButton*>("btnClear"), Qt::LeftButton);

    for (int list = 1; list <= 2; ++list) {
        for (int k = 1; k <= 64; ++k) {
            auto* edit = control<QLineEdit>("editPOV" + std::to_string(list) + "_" + std::to_string(k));
            EXPECT_TRUE(edit->text().isEmpty());
            EXPECT_EQ(edit->isEnabled(), k == 1);
        }
    }
    EXPECT_TRUE(control<QAbstractButton>("rbVST2_1")->isChecked());
    EXPECT_FALSE(control<QAbstractButton>("rbVST2_2")->isChecked());
    EXPECT_EQ(numbers->currentIndex(), 1);
    EXPECT_TRUE(config() == Configuration());
}

// The names of the first controls of each group, and the buttons, in the order Tab visits them.
TEST_F(TfMainTest, FocusGoesGroupByGroupThenToTheButtons) {
    QStringList order;
    QWidget* w = window.get();
    do {
        if (!w->objectName().isEmpty())
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != window.get());
    const QStringList expected{"editPOV1_1", "editPOV1_2", "editPOV1_64", "editPOV2_1",
                               "editPOO1_1", "editPOO2_8", "memoSMSZAP1", "memoSMSVYP1",
                               "SpinCASRELE1", "memoSMSZAP2", "editTCZSSMS_1", "editTCZSSMS_8",
                               "spinINTERVAL", "spinCAS", "spinKREDIT", "editTCV1_1",
                               "memoSMSV1", "memoSMSNV1", "editPZS1_1", "rbVST1_1", "rbVST1_2",
                               "spinDELAY1", "editTCV2_1", "spinDELAY2", "btnClear", "btnSave",
                               "btnOpen", "btnSend", "btnRead"};
    qsizetype last = -1;
    for (const QString& name : expected) {
        const qsizetype at = order.indexOf(name);
        EXPECT_GT(at, last) << name.toStdString();
        last = at;
    }
}

// The first digits typed at start are not lost: they go into the first field of the tab order.
TEST_F(TfMainTest, TheFirstFieldHasTheKeyboardFromTheStart) {
    ASSERT_EQ(QApplication::focusWidget(), control("editPOV1_1"));
    QTest::keyClicks(QApplication::focusWidget(), "0905");
    EXPECT_EQ(config().text("editPOV1_1"), "0905");
}

TEST_F(TfMainTest, TabWalksAListInPositionOrder) {
    for (int k = 1; k <= 3; ++k)
        config().setText("editPOO1_" + std::to_string(k), "1");
    window->findChild<QTabWidget*>("pagerOutputNumbers")->setCurrentIndex(2);
    control("editPOO1_1")->setFocus(Qt::TabFocusReason);
    for (int k = 2; k <= 4; ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), control("editPOO1_" + std::to_string(k)));
    }
}

} // namespace
} // namespace qolmex
