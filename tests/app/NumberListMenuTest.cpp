#include "MainWindowFixture.h"
#include "app/TFieldEdit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <memory>

namespace qolmex {
namespace {

class NumberListMenuTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        window->setMessageFunction([this](const QString& text) { messages << text; });
    }

    // The entry of a position's context menu, in a menu that lives until the next call.
    QAction* entry(std::string_view position, const char* text) {
        menu.reset(control<TFieldEdit>(position)->createContextMenu());
        for (QAction* action : menu->actions())
            if (action->text() == QString::fromUtf8(text))
                return action;
        ADD_FAILURE() << "no entry " << text;
        return nullptr;
    }

    void pasteInto(std::string_view position, const QString& clipboard) {
        QGuiApplication::clipboard()->setText(clipboard);
        entry(position, "Vložiť zoznam čísel")->trigger();
    }

    QString shown(int k) { return control<QLineEdit>("editTCV1_" + std::to_string(k))->text(); }

    std::unique_ptr<QMenu> menu;
    QStringList messages;
};

TEST_F(NumberListMenuTest, APastedColumnFillsTheListAndTellsHowManyDidNotFit) {
    pasteInto("editTCV1_1", "Telefón\r\n+421 905 123 456\r\n\r\n0903-111-222\r\n1\r\n2\r\n3\r\n"
                            "4\r\n5\r\n6\r\n7\r\n8\r\n");
    EXPECT_EQ(shown(1), "+421905123456");
    EXPECT_EQ(shown(2), "0903111222");
    EXPECT_EQ(shown(8), "6");
    EXPECT_EQ(config().text("editTCV1_8"), "6");
    EXPECT_TRUE(control("editTCV1_8")->isEnabled());
    EXPECT_EQ(messages, QStringList{QString::fromUtf8("2 čísla sa do zoznamu nezmestili.")});

    messages.clear();
    pasteInto("editTCV1_3", "77\t88"); // a row; it fits, so nothing is said
    EXPECT_EQ(shown(4), "88");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(NumberListMenuTest, EntriesAreOffWhenThereIsNothingToPasteOrCopy) {
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(entry("editPOO2_1", "Vložiť zoznam čísel")->isEnabled());
    EXPECT_FALSE(entry("editPOO2_1", "Kopírovať zoznam")->isEnabled());
    QGuiApplication::clipboard()->setText("0901");
    EXPECT_TRUE(entry("editPOO2_1", "Vložiť zoznam čísel")->isEnabled());
    // The DTMF codes are no list: their menu has neither entry.
    menu.reset(control<TFieldEdit>("MemoDTMFZAP1")->createContextMenu());
    for (const QAction* action : menu->actions())
        EXPECT_FALSE(action->text().contains(QString::fromUtf8("zoznam")));
}

TEST_F(NumberListMenuTest, CopyGivesTheListOneNumberALine) {
    config().setText("editPZS2_1", "0901");
    config().setText("editPZS2_2", "+421\xEF"); // a byte from a file, shown as "ď"
    QAction* copy = entry("editPZS2_3", "Kopírovať zoznam");
    ASSERT_TRUE(copy->isEnabled());
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("0901\n+421ď"));
}

} // namespace
} // namespace qolmex
