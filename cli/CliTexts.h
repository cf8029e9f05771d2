#pragma once

// The command line's own texts. Where the window has a text for the same failure, the
// window's text is used instead (DeviceConnection, TransferTexts, validationMessage).
namespace qolmex::cli::texts {

inline constexpr const char* program = "qolmex70-cli";
inline constexpr const char* interrupted = "Prerušené (Ctrl+C).";
inline constexpr const char* blocksLeft = "Odosielanie sa dokončí, ";
inline constexpr const char* secondCtrlC =
    "Druhé stlačenie Ctrl+C ho preruší a v zariadení zostane neúplná konfigurácia.";
inline constexpr const char* sendInterrupted =
    "Odosielanie bolo prerušené, v zariadení je teraz neúplná konfigurácia!";
inline constexpr const char* readBackDiffers = "Dáta načítané pri kontrole sa líšia od odoslaných!";
inline constexpr const char* settingsDiffer = "Nastavenia sa líšia.";
inline constexpr const char* settingsSame = "Nastavenia sú rovnaké.";
inline constexpr const char* sendable = "Konfiguráciu je možné odoslať.";
inline constexpr const char* unreadable = "Súbor sa nedá načítať: ";
inline constexpr const char* notAnImage = "Súbor nie je obraz pamäte (4096 bajtov): ";
inline constexpr const char* cannotWrite = "Súbor sa nedá zapísať: ";
inline constexpr const char* memoryNotKept = "Pamäť virtuálneho zariadenia sa nedá uložiť: ";
inline constexpr const char* noBackupFolder =
    "Priečinok na zálohy nie je známy, zadajte ho voľbou --backup-dir.";
inline constexpr const char* backupFailed = "Zálohu sa nepodarilo uložiť: ";
inline constexpr const char* unknownCommand = "Neznámy príkaz: ";
inline constexpr const char* unknownOption = "Neznáma voľba: ";
inline constexpr const char* missingValue = "Voľbe chýba hodnota: ";
inline constexpr const char* wrongArguments = "Nesprávne argumenty príkazu ";
inline constexpr const char* noCommand = "Chýba príkaz. Pomoc: qolmex70-cli --help";
inline constexpr const char* oneUnitChoice =
    "Zadajte najviac jednu z volieb --serial, --port, --virtual, --virtual-replay.";
inline constexpr const char* badCount = "Voľba --count vyžaduje kladné celé číslo.";
inline constexpr const char* cannotOpen = "nedá sa otvoriť";
inline constexpr const char* canOpen = "dá sa otvoriť";

inline constexpr const char* phaseRead = "Načítavanie";
inline constexpr const char* phaseSend = "Odosielanie";
inline constexpr const char* phaseBackup = "Záloha";
inline constexpr const char* phaseVerify = "Kontrola";
inline constexpr const char* secondsLeft = "zostáva";

inline constexpr const char* batchWaiting = "Čakám na zariadenie… (ukončenie: Ctrl+C)";
inline constexpr const char* batchSentAndVerified = "odoslané a skontrolované";
inline constexpr const char* batchSent = "odoslané";
inline constexpr const char* batchFailed = "chyba";
inline constexpr const char* batchSomeFailed = "Niektoré zariadenia sa nepodarilo naprogramovať.";
inline constexpr const char* logFailed = "Protokol sa nedá zapísať: ";
inline constexpr const char* cannotWatch =
    "Prevodník zostal pripojený, ale nedá sa na ňom čakať na ďalšie zariadenie: ";

inline constexpr const char* help = R"(qolmex70-cli [VOĽBY] PRÍKAZ [ARGUMENTY]

Voľby (pred príkazom):
  --serial SN          zariadenie s týmto sériovým číslom
  --port CESTA         sériový port zadaný cestou (Linux)
  --virtual[=SÚBOR.bin] vstavané virtuálne zariadenie (9600 Bd);
                       pamäť sa uchová v SÚBOR.bin
  --virtual-replay=ZÁZNAM
                       zariadenie odpovedá ako v zázname, program hlási rozdiely
  --trace ZÁZNAM       zapíše každý bajt a volanie D2XX do súboru (pre podporu)
  --json               na konci vypíše jeden objekt JSON namiesto textu
  --quiet              nezobrazovať priebeh
  --help, --version

Príkazy:
  list                                   vypíše pripojené prevodníky FT232R
  doctor                                 zistí, čo bráni spojeniu so zariadením,
                                         a poradí nápravu
  read -o SÚBOR.kvx [--image SÚBOR.bin]  načíta konfiguráciu zo zariadenia do súboru
  send SÚBOR.kvx [--no-backup] [--backup-dir PRIEČINOK] [--no-verify]
                                         zálohuje zariadenie, odošle súbor a kontrolne
                                         ho načíta späť
  verify SÚBOR.kvx                       porovná konfiguráciu v zariadení so súborom
  diff A B                               vypíše rozdiely (.kvx, .bin alebo slovo unit)
  show SÚBOR                             vypíše všetky nastavenia zo súboru .kvx alebo .bin
  check SÚBOR.kvx                        vypíše, čo by odoslanie odmietlo
  image SÚBOR.kvx -o SÚBOR.bin           vytvorí obraz pamäte (bez zariadenia)
  sheet ZDROJ -o SÚBOR.html              uloží prehľad nastavení pre zákazníka na tlač
                                         (ZDROJ: .kvx, .bin alebo slovo unit)
  batch SÚBOR.kvx [--log SÚBOR.csv] [--count N] [--no-backup] [--no-verify]
                                         sériové programovanie: zariadenie po zariadení

Návratové kódy: 0 v poriadku, 1 líši sa / odmietnuté, 2 chyba použitia alebo súboru,
3 zariadenie nenájdené alebo nesprávne, 4 prenos zlyhal, 5 kontrolné načítanie sa nezhoduje,
130 prerušené (Ctrl+C).
)";

} // namespace qolmex::cli::texts
