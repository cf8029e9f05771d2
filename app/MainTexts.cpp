#include "MainTexts.h"

#include <map>
#include <string>

namespace qolmex::texts {

QString positionLabel(int position, bool spaced) {
    const QString gap = spaced && position < 10 ? QStringLiteral(" ") : QString();
    return QString::number(position) + QStringLiteral(".") + gap + QStringLiteral("číslo");
}

QString hintOf(const FieldDef& field) {
    static const std::map<std::string, QString> byName{
        {"memoSMSZAP1", QStringLiteral("Text SMS, ktorým sa bude zapínať 1.výstup")},
        {"memoSMSZAP2", QStringLiteral("Text SMS, ktorým sa bude zapínať 2.výstup")},
        {"memoSMSVYP1", QStringLiteral("Text SMS, ktorým sa bude vypínať 1.výstup")},
        {"memoSMSVYP2", QStringLiteral("Text SMS, ktorým sa bude vypínať 2.výstup")},
        {"SpinCASRELE1",
         QStringLiteral("Čas zopnutia výstupného relé v sekundách, max. 255  (0=trvalé prepnutie)")},
        {"SpinCASRELE2",
         QStringLiteral("Čas zopnutia výstupného relé v sekundách, max 255  (0=trvalé prepnutie)")},
        {"spinINTERVAL", QStringLiteral("Interval automatického zasielania SMS o stave volača "
                                        "( 0 znamená, že SMS nebudú zasielané)")},
        {"spinCAS", QStringLiteral("Hodina, o ktorej  budú automaticky zasielané SMS o stave volača")},
        {"spinKREDIT", QStringLiteral("Automatické upozornenie na nedostatočný kredit "
                                      "( 0 znamená, že SMS nebudú zasielané)")},
        {"memoSMSV1", QStringLiteral("SMS, ktorá bude odoslaná pri aktivovaní 1.vstupu")},
        {"memoSMSV2", QStringLiteral("SMS, ktorá bude odoslaná pri aktivovaní 2.vstupu")},
        {"memoSMSNV1", QStringLiteral("SMS, ktorá bude odoslaná pri návrate 1.vstupu do kľudového "
                                      "stavu (ak nebude zadaný žiadny text, SMS nebude odoslaná)")},
        {"memoSMSNV2", QStringLiteral("SMS, ktorá bude odoslaná pri návrate 2.vstupu do kľudového "
                                      "stavu (ak nebude zadaný žiadny text, SMS nebude odoslaná)")},
        {"spinDELAY1",
         QStringLiteral("Minimálna doba spúšťacieho impulzu na aktiváciu vstupu  v sekundách")},
        {"spinDELAY2",
         QStringLiteral("Minimálna doba spúšťacieho impulzu na aktiváciu vstupu  v sekundách")},
    };
    if (const auto it = byName.find(field.name); it != byName.end())
        return it->second;
    if (field.kind == FieldKind::Polarity)
        return field.choice == 1 ? QStringLiteral("Vstup sa aktivuje privedením napätia")
                                 : QStringLiteral("Vstup sa aktivuje odpojením napätia");
    if (field.list == ListId::TCV1 || field.list == ListId::TCV2)
        return QStringLiteral("Tel. číslo, na ktoré bude odoslaná SMS o zmene stavu vstupu");
    if (field.list == ListId::PZS1 || field.list == ListId::PZS2)
        return QStringLiteral(
            "Tel. číslo, na ktoré bude odvzdaný zvukový signál o aktivovaní vstupu.");
    return {};
}

const ButtonText buttons[5] = {
    {"btnClear", QStringLiteral("&Vyčistiť"), QStringLiteral("Vymaže dáta z formulára (Alt+V)")},
    {"btnSave", QStringLiteral("&Uložiť"), QStringLiteral("Uloží konfiguračné dáta na HDD (Alt+U)")},
    {"btnOpen", QStringLiteral("&Otvoriť"),
     QStringLiteral("Načíta uložené konfiguračné dáta z HDD (Alt+O)")},
    {"btnSend", QStringLiteral("O&doslať"),
     QStringLiteral("Odošle konfiguračné dáta z PC do volača (Alt+D)")},
    {"btnRead", QStringLiteral("&Načítať"),
     QStringLiteral("Načíta konfiguračné dáta z volača do PC (Alt+N)")},
};

} // namespace qolmex::texts
