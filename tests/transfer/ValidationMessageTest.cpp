#include "transfer/ValidationMessage.h"

#include "transfer/ConfigurationValidator.h"

#include <gtest/gtest.h>
#include <string>

namespace qolmex {
namespace {

// A list takes a number only after the ones before it, so those hold a short number.
std::string messageFor(const std::string& field, const std::string& text) {
    Configuration c;
    const FieldDef& def = c.definition(c.id(field));
    for (int k = 1; def.list && k < def.position; ++k)
        c.setText(c.position(*def.list, k), "1");
    c.setText(field, text);
    const auto error = validateForUnit(c);
    return error ? validationMessage(*error) : std::string();
}

// The window brings the field into view; the message names it with the very words the window
// shows around it, and what the unit can take.
TEST(ValidationMessage, NamesTheFieldAsTheWindowShowsItAndTheUnitsLimit) {
    EXPECT_EQ(messageFor("editTCV1_3", std::string(16, '1')),
              "Pole „Tel. čísla pre zasielanie SMS, 1. vstup, 3. číslo“ má 16 znakov, zariadenie "
              "ich uloží najviac 15.");
    EXPECT_EQ(messageFor("editPZS2_1", std::string(20, '1')),
              "Pole „Tel. čísla pre zasielanie SMS, 2. vstup, Tel. čísla pre zvukové signály, "
              "1. číslo“ má 20 znakov, zariadenie ich uloží najviac 15.");
    EXPECT_EQ(messageFor("editPOV2_10", std::string(16, '1')),
              "Pole „Telefónne čísla pre ovládanie výstupov prezvonením a zasielaním SMS, "
              "2. výstup - prezvonenie, 10.číslo“ má 16 znakov, zariadenie ich uloží najviac 15.");
    EXPECT_EQ(messageFor("memoSMSNV1", std::string(130, 's')),
              "Pole „Tel. čísla pre zasielanie SMS, 1. vstup, Text SMS zaslaný pri deaktivácii“ "
              "má 130 znakov, zariadenie ich uloží najviac 127.");
    EXPECT_EQ(messageFor("spinINTERVAL", "abc"),
              "Pole „Tel. čísla pre stavové SMS, Interval zasielania (dní)“ musí obsahovať celé "
              "číslo od 0 do 180, iné zariadenie neprijme.");
    // Never shown in the window: named by what it is.
    EXPECT_EQ(messageFor("MemoDTMFVYP2", std::string(16, '2')),
              "DTMF kód na vypnutie 2. výstupu má 16 znakov, zariadenie ich uloží najviac 15.");
}

} // namespace
} // namespace qolmex
