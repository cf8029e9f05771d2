#include "MainWindowFixture.h"

#include "config/FieldDef.h"

#include <QAccessible>
#include <QSet>

#include <string>

namespace qolmex {
namespace {

using Accessibility = MainWindowFixture;

std::string spoken(QWidget* control, QAccessible::Text what) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(what).toStdString() : std::string();
}

// What a screen reader says when the focus comes to a field: where it is, as the window
// writes it, and the hint the pointer would show there.
TEST_F(Accessibility, EachFieldSaysWhereItIsAndWhatItIsFor) {
    const std::pair<const char*, const char*> names[] = {
        {"editTCV1_1", "Tel. čísla pre zasielanie SMS, 1. vstup, 1. číslo"},
        {"editPZS2_3",
         "Tel. čísla pre zasielanie SMS, 2. vstup, Tel. čísla pre zvukové signály, 3. číslo"},
        {"memoSMSNV2", "Tel. čísla pre zasielanie SMS, 2. vstup, Text SMS zaslaný pri deaktivácii"},
        {"rbVST1_2", "Tel. čísla pre zasielanie SMS, 1. vstup, Polarita vstupu, Rozpínací"},
        {"editTCZSSMS_2", "Tel. čísla pre stavové SMS, 2.číslo"},
        {"spinKREDIT", "Tel. čísla pre stavové SMS, Upozornenie na kredit nižší ako (€)"},
        {"SpinCASRELE2", "SMS pre ovládanie výstupov, 2.výstup, Dĺžka zopnutia (sek.)"},
        {"editPOV1_10", "Telefónne čísla pre ovládanie výstupov prezvonením a zasielaním SMS, "
                        "1. výstup - pezvonenie, 10.číslo"},
        {"editPOO2_1", "Telefónne čísla pre ovládanie výstupov prezvonením a zasielaním SMS, "
                       "2.výstup - SMS, 1. číslo"},
    };
    for (const auto& [field, name] : names)
        EXPECT_EQ(spoken(control(field), QAccessible::Name), name) << field;

    // Its own hint, or else that of its page or group.
    const std::pair<const char*, const char*> descriptions[] = {
        {"editTCV2_4", "Tel. číslo, na ktoré bude odoslaná SMS o zmene stavu vstupu"},
        {"rbVST2_1", "Vstup sa aktivuje privedením napätia"},
        {"editPOV2_5", "Tel. čísla, z ktorých bude možné ovládať 2.výstup prezvonením"},
        {"editPOO1_8", "Tel. čísla, z ktorých bude možné ovládať 1.výstup zaslaním SMS"},
        {"editTCZSSMS_3", "Tel. čísla, na ktoré budú odosielané SMS o stave volača"},
    };
    for (const auto& [field, description] : descriptions)
        EXPECT_EQ(spoken(control(field), QAccessible::Description), description) << field;
}

// No two shown fields sound alike, and none is nameless; the DTMF codes, never shown, say
// nothing and are not there for a screen reader.
TEST_F(Accessibility, ShownFieldsHaveNamesOfTheirOwnAndHiddenOnesNone) {
    QSet<QString> heard;
    for (const FieldDef& field : fieldTable()) {
        QWidget* widget = control(field.name);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr) << field.name;
        const QString name = face->text(QAccessible::Name);
        if (field.kind == FieldKind::DtmfCode) {
            EXPECT_TRUE(face->state().invisible) << field.name;
            EXPECT_TRUE(name.isEmpty()) << field.name;
            EXPECT_TRUE(face->text(QAccessible::Description).isEmpty()) << field.name;
            continue;
        }
        EXPECT_FALSE(name.isEmpty()) << field.name;
        EXPECT_FALSE(heard.contains(name)) << name.toStdString();
        heard.insert(name);
    }
}

} // namespace
} // namespace qolmex
