#pragma once

// The doctor's texts: what each check is called, what it can find and how to fix it.
namespace qolmex::cli::doctorTexts {

inline constexpr const char* markOk = "[ OK ]";
inline constexpr const char* markWarning = "[POZOR]";
inline constexpr const char* markFail = "[CHYBA]";
inline constexpr const char* markSkipped = "[ -- ]";
inline constexpr const char* skippedFor = "nepreverené, kým nie je v poriadku „";
inline constexpr const char* causeAbove = "Príčinu uvádza kontrola „";
inline constexpr const char* causeBelow = "Príčinu uvádza kontrola nižšie, „";
inline constexpr const char* unitAnswered = "Zariadenie QOLMEX 70 sa ohlásilo.";
inline constexpr const char* unitSilent =
    "Zariadenie QOLMEX 70 sa neohlásilo; príčinu a nápravu uvádza prvá chybná kontrola.";

// Titles.
inline constexpr const char* usbBridge = "Prevodník na USB";
inline constexpr const char* description = "Popis prevodníka";
inline constexpr const char* driver = "Ovládač jadra a port";
inline constexpr const char* access = "Prístup k portu";
inline constexpr const char* modemManager = "ModemManager";
inline constexpr const char* brltty = "brltty";
inline constexpr const char* portHolder = "Iný program na porte";
inline constexpr const char* latency = "Časovač oneskorenia";
inline constexpr const char* vendorLibrary = "Knižnica D2XX";
inline constexpr const char* bridge = "Prevodník";
inline constexpr const char* identity = "Identita zariadenia";

// Findings and fixes.
inline constexpr const char* noFtdi = "Na USB nie je žiadny prevodník FTDI (0403).";
inline constexpr const char* noFtdiFix =
    "Pripojte zariadenie káblom USB, skontrolujte kábel a napájanie zariadenia a skúste iný "
    "port USB.";
inline constexpr const char* erasedFix =
    "Zapíšte do EEPROM prevodníka znova produkt 6001 a popis „FT232R USB UART“ (nástrojom "
    "výrobcu čipu FT_Prog, v Linuxe programom ftdi_eeprom), alebo kábel vymeňte.";
inline constexpr const char* notFt232rFix =
    "Pripojte zariadenie QOLMEX 70; jeho prevodník je FT232R (0403:6001).";
inline constexpr const char* wrongDescriptionFix =
    "Program hľadá prevodník s popisom „FT232R USB UART“, aký má zariadenie QOLMEX 70; "
    "pripojte zariadenie, nie iný kábel USB – sériový port.";
inline constexpr const char* noDriverFix =
    "Načítajte ovládač (sudo modprobe ftdi_sio) a pripojte zariadenie znova.";
inline constexpr const char* usbfsFix =
    "Ukončite program, ktorý prevodník používa (iný programátor, terminál), a pripojte "
    "zariadenie znova.";
inline constexpr const char* accessFixWithRule =
    "Pravidlo udev programu sprístupní port len používateľovi prihlásenému pri počítači: "
    "pripojte zariadenie znova alebo pridajte používateľa do skupiny ";
inline constexpr const char* accessFixWithoutRule =
    "Nainštalujte balík programu (jeho pravidlo udev sprístupní port prihlásenému "
    "používateľovi) a pripojte zariadenie znova alebo pridajte používateľa do skupiny ";
inline constexpr const char* modemManagerFixWithRule =
    "Odpojte zariadenie a znova ho pripojte, aby sa uplatnilo pravidlo udev programu.";
inline constexpr const char* modemManagerFixWithoutRule =
    "Nainštalujte balík programu (podľa jeho pravidla udev si ModemManager prevodník nevšíma) "
    "alebo ModemManager zastavte: sudo systemctl stop ModemManager.";
inline constexpr const char* brlttyFix =
    "Ak nepoužívate brailový riadok, odstráňte brltty (sudo apt remove brltty), inak vypnite "
    "jeho pravidlo (sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules); potom pripojte "
    "zariadenie znova.";
inline constexpr const char* latencyFix =
    "Nainštalujte balík programu (jeho pravidlo udev nastaví 1 ms) alebo zadajte: "
    "echo 1 | sudo tee ";
inline constexpr const char* noVendorLibraryWindowsFix =
    "Nainštalujte ovládač D2XX výrobcu čipu (balík ovládačov CDM od FTDI); Windows Update ho "
    "zvyčajne nainštaluje po pripojení zariadenia.";
inline constexpr const char* noBridgesFix =
    "Pripojte zariadenie káblom USB a skontrolujte kábel a jeho napájanie; v Správcovi "
    "zariadení musí byť „USB Serial Converter“.";
inline constexpr const char* bridgeInUseFix =
    "Ukončite program, ktorý prevodník používa (iný programátor, terminál), a skúste to znova.";
inline constexpr const char* silentFix =
    "Skontrolujte napájanie zariadenia a spojenie medzi prevodníkom a zariadením; zariadenie "
    "sa ohlási hneď po otvorení portu.";
inline constexpr const char* wrongIdentityFix =
    "Pripojte zariadenie QOLMEX 70; toto sa ohlasuje inak alebo komunikuje inou rýchlosťou "
    "než 9600 Bd.";
inline constexpr const char* replugFix = "Odpojte zariadenie a znova ho pripojte.";
inline constexpr const char* severalBridgesFix =
    "Odpojte ostatné prevodníky a spustite kontrolu znova.";
inline constexpr const char* openFailedFix =
    "Odstráňte príčinu, ktorú uvádza správa, a skúste to znova.";

} // namespace qolmex::cli::doctorTexts
