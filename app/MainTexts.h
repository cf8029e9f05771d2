#pragma once

#include "config/FieldDef.h"

#include <QString>

namespace qolmex::texts {

// Every text the main window shows, in one place.

inline const QString caption = QStringLiteral("Programátor QOLMEX 70 - USB");

inline const QString inputsGroup = QStringLiteral("Tel. čísla pre zasielanie SMS");
inline const QString statusGroup = QStringLiteral("Tel. čísla pre stavové SMS");
inline const QString outputSmsGroup = QStringLiteral("SMS pre ovládanie výstupov");
inline const QString outputNumbersGroup =
    QStringLiteral("Telefónne čísla pre ovládanie výstupov prezvonením a zasielaním SMS");

inline const QString inputPage[] = {QStringLiteral("1. vstup"), QStringLiteral("2. vstup")};
inline const QString outputSmsPage[] = {QStringLiteral("1.výstup"), QStringLiteral("2.výstup")};
inline const QString ringPage[] = {QStringLiteral("1. výstup - pezvonenie"),
                                   QStringLiteral("2. výstup - prezvonenie")};
inline const QString smsNumbersPage[] = {QStringLiteral("1.výstup - SMS"),
                                         QStringLiteral("2.výstup - SMS")};

inline const QString smsOnActivation = QStringLiteral("Text SMS\nzaslaný pri\naktivácii");
inline const QString smsOnDeactivation = QStringLiteral("Text SMS\nzaslaný pri\ndeaktivácii");
inline const QString soundNumbers = QStringLiteral("Tel. čísla pre zvukové signály");
inline const QString polarity = QStringLiteral("Polarita vstupu");
inline const QString delay = QStringLiteral("Oneskorenie (sek.)");
inline const QString closing = QStringLiteral("Spínací");
inline const QString opening = QStringLiteral("Rozpínací");

inline const QString interval = QStringLiteral("Interval zasielania");
inline const QString days = QStringLiteral("(dní)");
inline const QString hourOfDay = QStringLiteral("Čas zasielania");
inline const QString hours = QStringLiteral("(hod.)");
inline const QString credit = QStringLiteral("Upozornenie na\nkredit nižší ako");
inline const QString euro = QStringLiteral("(€)");

inline const QString smsOn = QStringLiteral("Text SMS\n- zapnutie");
inline const QString smsOff = QStringLiteral("Text SMS\n- vypnutie");
inline const QString relayTime = QStringLiteral("Dĺžka zopnutia (sek.)");

inline const QString outputNumbersGroupHint =
    QStringLiteral("Tel. čísla, z ktorých bude možné ovládať výstupy "); // the blank is theirs
inline const QString outputNumbersPagerHint =
    QStringLiteral("Tel. čísla, z ktorých bude možné ovládať výstupy");
inline const QString ringPageHint[] = {
    QStringLiteral("Tel. čísla, z ktorých bude možné ovládať 1.výstup prezvonením"),
    QStringLiteral("Tel. čísla, z ktorých bude možné ovládať 2.výstup prezvonením")};
inline const QString smsNumbersPageHint[] = {
    QStringLiteral("Tel. čísla, z ktorých bude možné ovládať 1.výstup zaslaním SMS"),
    QStringLiteral("Tel. čísla, z ktorých bude možné ovládať 2.výstup zaslaním SMS")};
inline const QString statusGroupHint =
    QStringLiteral("Tel. čísla, na ktoré budú odosielané SMS o stave volača");

// "1. číslo" .. "9. číslo", then "10.číslo"; the status list writes all without the blank.
QString positionLabel(int position, bool spaced = true);

// The hint of a field's own control, or empty when it shows its page's or group's hint.
QString hintOf(const FieldDef& field);

struct ButtonText {
    const char* name;
    QString caption;
    QString hint;
};
extern const ButtonText buttons[5]; // in focus order: Clear, Save, Open, Send, Read

} // namespace qolmex::texts
