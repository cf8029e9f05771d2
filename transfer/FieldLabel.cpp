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

// "1. vstup" and "1.výstup" as a label ends that names them: "1. vstupu", "1.výstupu".
std::string whose(std::string_view page) {
    return std::string(page) + "u";
}

std::string listLabel(const FieldDef& field, const FieldPlace& place) {
    std::string where(place.page.empty() ? place.group : place.page);
    if (field.list == ListId::TCV1 || field.list == ListId::TCV2)
        where += ", SMS";
    else if (!place.heading.empty())
        where += ", zvukové signály";
    return std::to_string(field.position) + ". číslo (" + where + ")";
}

} // namespace

std::string fieldLabel(std::string_view name) {
    const FieldDef* field = fieldNamed(name);
    if (!field)
        return std::string(name);
    const FieldPlace place = placeOf(*field);
    const std::string label = oneLine(place.label);
    switch (field->kind) {
    case FieldKind::PhoneNumber:
        return listLabel(*field, place);
    case FieldKind::Polarity:
        return std::string(place.heading) + ": " + label + " (" + std::string(place.page) + ")";
    case FieldKind::DtmfCode:
        return (field->section.ends_with("ZAP") ? "DTMF kód zapnutia " : "DTMF kód vypnutia ") +
               whose(place.page);
    case FieldKind::WholeNumber:
        if (place.page.empty())
            return label + " " + std::string(place.unit);
        return label + " pre " + std::string(place.page);
    case FieldKind::SmsText:
        if (place.group == inputsGroup)
            return label + " " + whose(place.page);
        return label + " pre " + std::string(place.page);
    }
    return std::string(name);
}

} // namespace qolmex
