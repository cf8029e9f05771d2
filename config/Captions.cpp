#include "Captions.h"

#include <map>

namespace qolmex::captions {
namespace {

std::size_t index(int number) {
    return number == 2 ? 1 : 0;
}

FieldPlace listPlace(const FieldDef& field) {
    const std::size_t n = index(field.listNumber);
    const std::string label = positionLabel(field.position, *field.list != ListId::TCZSSMS);
    switch (*field.list) {
    case ListId::TCV1:
    case ListId::TCV2: return {inputsGroup, inputPage[n], {}, label, {}};
    case ListId::PZS1:
    case ListId::PZS2: return {inputsGroup, inputPage[n], soundNumbers, label, {}};
    case ListId::TCZSSMS: return {statusGroup, {}, {}, label, {}};
    case ListId::POV1:
    case ListId::POV2: return {outputNumbersGroup, ringPage[n], {}, label, {}};
    case ListId::POO1:
    case ListId::POO2: return {outputNumbersGroup, smsNumbersPage[n], {}, label, {}};
    }
    return {};
}

} // namespace

std::string positionLabel(int position, bool spaced) {
    return std::to_string(position) + (spaced && position < 10 ? ". " : ".") + "číslo";
}

std::string_view hintOf(const FieldDef& field) {
    static const std::map<std::string, std::string_view, std::less<>> byName{
        {"memoSMSZAP1", "Text SMS, ktorým sa bude zapínať 1.výstup"},
        {"memoSMSZAP2", "Text SMS, ktorým sa bude zapínať 2.výstup"},
        {"memoSMSVYP1", "Text SMS, ktorým sa bude vypínať 1.výstup"},
        {"memoSMSVYP2", "Text SMS, ktorým sa bude vypínať 2.výstup"},
        {"SpinCASRELE1",
         "Čas zopnutia výstupného relé v sekundách, max. 255  (0=trvalé prepnutie)"},
        {"SpinCASRELE2", "Čas zopnutia výstupného relé v sekundách, max 255  (0=trvalé prepnutie)"},
        {"spinINTERVAL", "Interval automatického zasielania SMS o stave volača "
                         "( 0 znamená, že SMS nebudú zasielané)"},
        {"spinCAS", "Hodina, o ktorej  budú automaticky zasielané SMS o stave volača"},
        {"spinKREDIT",
         "Automatické upozornenie na nedostatočný kredit ( 0 znamená, že SMS nebudú zasielané)"},
        {"memoSMSV1", "SMS, ktorá bude odoslaná pri aktivovaní 1.vstupu"},
        {"memoSMSV2", "SMS, ktorá bude odoslaná pri aktivovaní 2.vstupu"},
        {"memoSMSNV1", "SMS, ktorá bude odoslaná pri návrate 1.vstupu do kľudového "
                       "stavu (ak nebude zadaný žiadny text, SMS nebude odoslaná)"},
        {"memoSMSNV2", "SMS, ktorá bude odoslaná pri návrate 2.vstupu do kľudového "
                       "stavu (ak nebude zadaný žiadny text, SMS nebude odoslaná)"},
        {"spinDELAY1", "Minimálna doba spúšťacieho impulzu na aktiváciu vstupu  v sekundách"},
        {"spinDELAY2", "Minimálna doba spúšťacieho impulzu na aktiváciu vstupu  v sekundách"},
    };
    if (const auto it = byName.find(field.name); it != byName.end())
        return it->second;
    if (field.kind == FieldKind::Polarity)
        return field.choice == 1 ? "Vstup sa aktivuje privedením napätia"
                                 : "Vstup sa aktivuje odpojením napätia";
    if (field.list == ListId::TCV1 || field.list == ListId::TCV2)
        return "Tel. číslo, na ktoré bude odoslaná SMS o zmene stavu vstupu";
    if (field.list == ListId::PZS1 || field.list == ListId::PZS2)
        return "Tel. číslo, na ktoré bude odvzdaný zvukový signál o aktivovaní vstupu.";
    return {};
}

FieldPlace placeOf(const FieldDef& field) {
    if (field.list)
        return listPlace(field);
    const std::size_t n = index(field.number);
    const std::string_view section = field.section;
    if (field.kind == FieldKind::Polarity)
        return {inputsGroup, inputPage[n], polarity, std::string(field.choice == 1 ? closing : opening),
                {}};
    if (section == "SMSV")
        return {inputsGroup, inputPage[n], {}, std::string(smsOnActivation), {}};
    if (section == "SMSNV")
        return {inputsGroup, inputPage[n], {}, std::string(smsOnDeactivation), {}};
    if (section.starts_with("DELAY"))
        return {inputsGroup, inputPage[n], {}, std::string(delay), {}};
    if (section == "SMSZAP")
        return {outputSmsGroup, outputSmsPage[n], {}, std::string(smsOn), {}};
    if (section == "SMSVYP")
        return {outputSmsGroup, outputSmsPage[n], {}, std::string(smsOff), {}};
    if (section.starts_with("CASRELE"))
        return {outputSmsGroup, outputSmsPage[n], {}, std::string(relayTime), {}};
    if (section.starts_with("DTMF"))
        return {outputSmsGroup, outputSmsPage[n], {}, {}, {}};
    if (section == "INTERVAL")
        return {statusGroup, {}, {}, std::string(interval), days};
    if (section == "CAS")
        return {statusGroup, {}, {}, std::string(hourOfDay), hours};
    if (section == "KREDIT")
        return {statusGroup, {}, {}, std::string(credit), euro};
    return {};
}

std::string placeName(const FieldDef& field) {
    const FieldPlace place = placeOf(field);
    if (place.label.empty())
        return {};
    const std::string label = oneLine(place.label);
    std::string name;
    for (std::string_view part :
         {place.group, place.page, place.heading, std::string_view(label)}) {
        if (part.empty())
            continue;
        if (!name.empty())
            name += ", ";
        name += part;
    }
    if (!place.unit.empty())
        (name += ' ') += place.unit;
    return name;
}

std::string oneLine(std::string_view label) {
    std::string line(label);
    for (char& c : line)
        if (c == '\n')
            c = ' ';
    return line;
}

} // namespace qolmex::captions
