#include "FieldLabel.h"

#include "config/Captions.h"

#include <map>

namespace qolmex {
namespace {

// Where the window shows each list, by the caption of its page or group.
const std::map<std::string_view, std::string_view>& listPlaces() {
    static const std::map<std::string_view, std::string_view> places{
        {"editPOV1_", captions::ringPage[0]},
        {"editPOV2_", captions::ringPage[1]},
        {"editPOO1_", captions::smsNumbersPage[0]},
        {"editPOO2_", captions::smsNumbersPage[1]},
        {"editTCV1_", "1. vstup, SMS"},
        {"editTCV2_", "2. vstup, SMS"},
        {"editPZS1_", "1. vstup, zvukové signály"},
        {"editPZS2_", "2. vstup, zvukové signály"},
        {"editTCZSSMS_", captions::statusGroup},
    };
    return places;
}

const std::map<std::string_view, std::string_view>& fieldLabels() {
    static const std::map<std::string_view, std::string_view> labels{
        {"spinINTERVAL", "Interval zasielania (dní)"},
        {"spinCAS", "Čas zasielania (hod.)"},
        {"SpinCASRELE1", "Dĺžka zopnutia (sek.) pre 1.výstup"},
        {"SpinCASRELE2", "Dĺžka zopnutia (sek.) pre 2.výstup"},
        {"spinKREDIT", "Upozornenie na kredit nižší ako (€)"},
        {"spinDELAY1", "Oneskorenie (sek.) pre 1. vstup"},
        {"spinDELAY2", "Oneskorenie (sek.) pre 2. vstup"},
        {"memoSMSV1", "Text SMS zaslaný pri aktivácii 1. vstupu"},
        {"memoSMSV2", "Text SMS zaslaný pri aktivácii 2. vstupu"},
        {"memoSMSNV1", "Text SMS zaslaný pri deaktivácii 1. vstupu"},
        {"memoSMSNV2", "Text SMS zaslaný pri deaktivácii 2. vstupu"},
        {"memoSMSZAP1", "Text SMS - zapnutie pre 1.výstup"},
        {"memoSMSZAP2", "Text SMS - zapnutie pre 2.výstup"},
        {"memoSMSVYP1", "Text SMS - vypnutie pre 1.výstup"},
        {"memoSMSVYP2", "Text SMS - vypnutie pre 2.výstup"},
        {"MemoDTMFZAP1", "DTMF kód zapnutia 1.výstupu"},
        {"MemoDTMFZAP2", "DTMF kód zapnutia 2.výstupu"},
        {"MemoDTMFVYP1", "DTMF kód vypnutia 1.výstupu"},
        {"MemoDTMFVYP2", "DTMF kód vypnutia 2.výstupu"},
        {"rbVST1_1", "Polarita vstupu: Spínací (1. vstup)"},
        {"rbVST1_2", "Polarita vstupu: Rozpínací (1. vstup)"},
        {"rbVST2_1", "Polarita vstupu: Spínací (2. vstup)"},
        {"rbVST2_2", "Polarita vstupu: Rozpínací (2. vstup)"},
    };
    return labels;
}

} // namespace

std::string fieldLabel(std::string_view name) {
    if (const auto it = fieldLabels().find(name); it != fieldLabels().end())
        return std::string(it->second);
    const auto underscore = name.rfind('_');
    if (underscore != std::string_view::npos) {
        const auto place = listPlaces().find(name.substr(0, underscore + 1));
        if (place != listPlaces().end())
            return std::string(name.substr(underscore + 1)) + ". číslo (" +
                   std::string(place->second) + ")";
    }
    return std::string(name);
}

} // namespace qolmex
