#include "app/FileDialog.h"
#include "app/SlovakQtTranslation.h"
#include "app/TFieldEdit.h"

#include "support/TempFolder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace qolmex {
namespace {

QStringList buttonTexts(const QWidget& parent) {
    QStringList texts;
    for (const QAbstractButton* button : parent.findChildren<QAbstractButton*>())
        if (!button->text().isEmpty())
            texts << button->text();
    return texts;
}

class SlovakQtTranslationTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Stays installed for the rest of the process: every test here wants it.
        static const bool installed = installSlovakQtTranslation(*qApp);
        ASSERT_TRUE(installed) << "qtbase_sk.qm not found in Qt's translations folder";
    }
};

TEST_F(SlovakQtTranslationTest, TheSaveDialogAndItsReplaceQuestionSpeakSlovak) {
    testing::TempFolder folder;
    const std::string existing = folder.file("unit.kvx");
    std::ofstream(existing) << "[TCV]\r\n";

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    configureFileDialog(dialog, {FileDialogRequest::Purpose::Save, QString::fromStdString(existing), {}});
    const QDialogButtonBox* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("Zrušiť"));

    // Accepting a name that exists asks before replacing it; answer "No" from inside.
    QString question;
    QStringList answers;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        question = box->text();
        answers = buttonTexts(*box);
        box->button(QMessageBox::No)->click();
    });
    dialog.show();
    QMetaObject::invokeMethod(&dialog, "accept");

    EXPECT_FALSE(question.isEmpty()) << "no replace question";
    EXPECT_FALSE(question.contains(QStringLiteral("replace")));
    answers.sort();
    EXPECT_EQ(answers, QStringList({QStringLiteral("&Nie"), QString::fromUtf8("Án&o")}));
}

TEST_F(SlovakQtTranslationTest, TheStandardButtonsOfAMessageBoxSpeakSlovak) {
    QMessageBox box(QMessageBox::NoIcon, {}, {}, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromUtf8("Zrušiť"));
}

TEST_F(SlovakQtTranslationTest, AFieldsContextMenuSpeaksSlovak) {
    TFieldEdit edit([](int c) { return c; }, 20);
    std::unique_ptr<QMenu> menu(edit.createContextMenu());
    QStringList entries;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            entries << action->text();
    ASSERT_EQ(entries.size(), 7);
    EXPECT_FALSE(entries.contains(QStringLiteral("&Paste"))) << entries.join(u',').toStdString();
    EXPECT_FALSE(entries.contains(QStringLiteral("Select All")));
}

} // namespace
} // namespace qolmex
