#pragma once

#include "FieldDef.h"

#include <array>
#include <string>
#include <string_view>

namespace qolmex::captions {

// Every caption, label and hint of the main window, in UTF-8 and without a toolkit, so the
// window, the command line and the setup sheet say the same words. Labels that the window
// breaks over lines hold "\n" there.

inline constexpr std::string_view title = "Programátor QOLMEX 70 - USB";
// After the title of the demo's windows, so nobody takes it for programming a real unit.
inline constexpr std::string_view demoNote = "ukážka, virtuálna jednotka";

inline constexpr std::string_view inputsGroup = "Tel. čísla pre zasielanie SMS";
inline constexpr std::string_view statusGroup = "Tel. čísla pre stavové SMS";
inline constexpr std::string_view outputSmsGroup = "SMS pre ovládanie výstupov";
inline constexpr std::string_view outputNumbersGroup =
    "Telefónne čísla pre ovládanie výstupov prezvonením a zasielaním SMS";

// Index 0 is output or input 1. "pezvonenie" is the window's own spelling.
inline constexpr std::array<std::string_view, 2> inputPage{"1. vstup", "2. vstup"};
inline constexpr std::array<std::string_view, 2> outputSmsPage{"1.výstup", "2.výstup"};
inline constexpr std::array<std::string_view, 2> ringPage{"1. výstup - pezvonenie",
                                                          "2. výstup - prezvonenie"};
inline constexpr std::array<std::string_view, 2> smsNumbersPage{"1.výstup - SMS",
                                                                "2.výstup - SMS"};

inline constexpr std::string_view smsOnActivation = "Text SMS\nzaslaný pri\naktivácii";
inline constexpr std::string_view smsOnDeactivation = "Text SMS\nzaslaný pri\ndeaktivácii";
inline constexpr std::string_view soundNumbers = "Tel. čísla pre zvukové signály";
inline constexpr std::string_view polarity = "Polarita vstupu";
inline constexpr std::string_view delay = "Oneskorenie (sek.)";
inline constexpr std::string_view closing = "Spínací";
inline constexpr std::string_view opening = "Rozpínací";

inline constexpr std::string_view interval = "Interval zasielania";
inline constexpr std::string_view days = "(dní)";
inline constexpr std::string_view hourOfDay = "Čas zasielania";
inline constexpr std::string_view hours = "(hod.)";
inline constexpr std::string_view credit = "Upozornenie na\nkredit nižší ako";
inline constexpr std::string_view euro = "(€)";

inline constexpr std::string_view smsOn = "Text SMS\n- zapnutie";
inline constexpr std::string_view smsOff = "Text SMS\n- vypnutie";
inline constexpr std::string_view relayTime = "Dĺžka zopnutia (sek.)";

inline constexpr std::string_view outputNumbersGroupHint =
    "Tel. čísla, z ktorých bude možné ovládať výstupy "; // the blank is theirs
inline constexpr std::string_view outputNumbersPagerHint =
    "Tel. čísla, z ktorých bude možné ovládať výstupy";
inline constexpr std::array<std::string_view, 2> ringPageHint{
    "Tel. čísla, z ktorých bude možné ovládať 1.výstup prezvonením",
    "Tel. čísla, z ktorých bude možné ovládať 2.výstup prezvonením"};
inline constexpr std::array<std::string_view, 2> smsNumbersPageHint{
    "Tel. čísla, z ktorých bude možné ovládať 1.výstup zaslaním SMS",
    "Tel. čísla, z ktorých bude možné ovládať 2.výstup zaslaním SMS"};
inline constexpr std::string_view statusGroupHint =
    "Tel. čísla, na ktoré budú odosielané SMS o stave volača";

// "1. číslo" .. "9. číslo", then "10.číslo"; the status list writes all without the blank.
std::string positionLabel(int position, bool spaced = true);

// The hint of a field's own control, or empty when it shows its page's or group's hint.
std::string_view hintOf(const FieldDef& field);

// Where the window shows a field, each part as the window writes it: the group box, the
// page of its pager (empty for the status group), a heading above it on that page (the
// sound-signal numbers, the polarity), its label (empty for the hidden DTMF codes) and the
// unit after it.
struct FieldPlace {
    std::string_view group;
    std::string_view page;
    std::string_view heading;
    std::string label;
    std::string_view unit;
};
FieldPlace placeOf(const FieldDef& field);

// The place as one name, its parts as the window writes them, for screen readers and
// messages: "Tel. čísla pre zasielanie SMS, 1. vstup, 1. číslo", "Tel. čísla pre stavové
// SMS, Interval zasielania (dní)"; empty for a field the window never shows.
std::string placeName(const FieldDef& field);

// A label broken over lines as one line: "Text SMS zaslaný pri aktivácii".
std::string oneLine(std::string_view label);

// Entries of the context menus: the number lists' clipboard and the setup sheet, which the
// window's free area offers with "…" (it asks for a file name first).
inline constexpr std::string_view pasteNumberList = "Vložiť zoznam čísel";
inline constexpr std::string_view copyNumberList = "Kopírovať zoznam";
inline constexpr std::string_view setupSheet = "Prehľad nastavení";

struct ButtonText {
    std::string_view name;
    std::string_view caption;
    std::string_view hint;
};
// In focus order: Clear, Save, Open, Send, Read.
inline constexpr std::array<ButtonText, 5> buttons{{
    {"btnClear", "&Vyčistiť", "Vymaže dáta z formulára (Alt+V)"},
    {"btnSave", "&Uložiť", "Uloží konfiguračné dáta na HDD (Alt+U)"},
    {"btnOpen", "&Otvoriť", "Načíta uložené konfiguračné dáta z HDD (Alt+O)"},
    {"btnSend", "O&doslať", "Odošle konfiguračné dáta z PC do volača (Alt+D)"},
    {"btnRead", "&Načítať", "Načíta konfiguračné dáta z volača do PC (Alt+N)"},
}};

} // namespace qolmex::captions
