#include "FieldLabel.h"

#include "config/Captions.h"
#include "config/FieldDef.h"

#include <map>

namespace qolmex {
namespace {

using namespace captions;

const FieldDef* fieldNamed(std::string_view name) {
    static const std::map<std::string_view, const FieldDef*> byName = [] {
        std::map<std::string_view, const FieldDef*> fields;
        for (const FieldDef& field : fieldTable())
            fields.emplace(field.name, &field);
        return fields;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

std::string ofInput(int number) {
    return std::to_string(number) + ". vstupu";
}
std::string ofOutput(int number) {
    return std::to_string(number) + ". výstupu";
}

std::string listLabel(const FieldDef& field) {
    const std::string number = std::to_string(field.position) + ". číslo ";
    const int n = field.listNumber;
    switch (*field.list) {
    case ListId::TCV1:
    case ListId::TCV2:
        return number + "pre SMS z " + ofInput(n);
    case ListId::PZS1:
    case ListId::PZS2:
        return number + "pre zvukový signál z " + ofInput(n);
    case ListId::TCZSSMS:
        return number + "pre stavové SMS";
    case ListId::POV1:
    case ListId::POV2:
        return number + "na ovládanie " + ofOutput(n) + " prezvonením";
    case ListId::POO1:
    case ListId::POO2:
        return number + "na ovládanie " + ofOutput(n) + " zaslaním SMS";
    }
    return field.name;
}

std::string ownLabel(const FieldDef& field) {
    const std::string_view section = field.section;
    const int n = field.number;
    if (field.kind == FieldKind::Polarity)
        return "Polarita " + ofInput(n) + (field.choice == 1 ? ": spínací" : ": rozpínací");
    if (section == "SMSV")
        return oneLine(smsOnActivation) + " " + ofInput(n);
    if (section == "SMSNV")
        return oneLine(smsOnDeactivation) + " " + ofInput(n);
    if (section.starts_with("DELAY"))
        return "Oneskorenie " + ofInput(n) + " (sek.)";
    if (section == "SMSZAP")
        return "Text SMS na zapnutie " + ofOutput(n);
    if (section == "SMSVYP")
        return "Text SMS na vypnutie " + ofOutput(n);
    if (section.starts_with("CASRELE"))
        return "Dĺžka zopnutia " + ofOutput(n) + " (sek.)";
    if (section.starts_with("DTMF"))
        return (section.ends_with("ZAP") ? "DTMF kód na zapnutie " : "DTMF kód na vypnutie ") +
               ofOutput(n);
    // The status group's numbers: the window's own label, its unit after it.
    const FieldPlace place = placeOf(field);
    return oneLine(place.label) + " " + std::string(place.unit);
}

} // namespace

std::string fieldLabel(std::string_view name) {
    const FieldDef* field = fieldNamed(name);
    if (!field)
        return std::string(name);
    return field->list ? listLabel(*field) : ownLabel(*field);
}

} // namespace qolmex
