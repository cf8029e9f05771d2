#include "SettingsLayout.h"

#include "config/NumberList.h"

namespace qolmex::cli {
namespace {

void addPositions(SettingsGroup& group, ListId id) {
    const NumberList& list = numberList(id);
    for (int k = 1; k <= list.size; ++k)
        group.fields.push_back(std::string(list.prefix) + std::to_string(k));
}

std::vector<SettingsGroup> buildLayout() {
    std::vector<SettingsGroup> layout;
    const std::string inputs = "Tel. čísla pre zasielanie SMS - ";
    for (int input = 1; input <= 2; ++input) {
        const std::string n = std::to_string(input);
        SettingsGroup group{inputs + n + ". vstup", {}};
        addPositions(group, input == 1 ? ListId::TCV1 : ListId::TCV2);
        group.fields.insert(group.fields.end(), {"memoSMSV" + n, "memoSMSNV" + n});
        addPositions(group, input == 1 ? ListId::PZS1 : ListId::PZS2);
        group.fields.insert(group.fields.end(),
                            {"rbVST" + n + "_1", "rbVST" + n + "_2", "spinDELAY" + n});
        layout.push_back(std::move(group));
    }

    SettingsGroup status{"Tel. čísla pre stavové SMS", {}};
    addPositions(status, ListId::TCZSSMS);
    status.fields.insert(status.fields.end(), {"spinINTERVAL", "spinCAS", "spinKREDIT"});
    layout.push_back(std::move(status));

    const std::string outputSms = "SMS pre ovládanie výstupov - ";
    for (int output = 1; output <= 2; ++output) {
        const std::string n = std::to_string(output);
        layout.push_back({outputSms + n + ".výstup",
                          {"memoSMSZAP" + n, "memoSMSVYP" + n, "SpinCASRELE" + n,
                           "MemoDTMFZAP" + n, "MemoDTMFVYP" + n}});
    }

    const std::string outputNumbers =
        "Telefónne čísla pre ovládanie výstupov prezvonením a zasielaním SMS - ";
    const std::pair<const char*, ListId> pages[] = {
        {"1. výstup - pezvonenie", ListId::POV1},
        {"2. výstup - prezvonenie", ListId::POV2},
        {"1.výstup - SMS", ListId::POO1},
        {"2.výstup - SMS", ListId::POO2},
    };
    for (const auto& [caption, list] : pages) {
        SettingsGroup group{outputNumbers + caption, {}};
        addPositions(group, list);
        layout.push_back(std::move(group));
    }
    return layout;
}

} // namespace

const std::vector<SettingsGroup>& settingsLayout() {
    static const std::vector<SettingsGroup> layout = buildLayout();
    return layout;
}

} // namespace qolmex::cli
