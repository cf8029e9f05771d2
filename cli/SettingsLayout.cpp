#include "SettingsLayout.h"

#include "config/Captions.h"
#include "config/NumberList.h"

namespace qolmex::cli {
namespace {

void addPositions(SettingsGroup& group, ListId id) {
    const NumberList& list = numberList(id);
    for (int k = 1; k <= list.size; ++k)
        group.fields.push_back(std::string(list.prefix) + std::to_string(k));
}

// A page of a pager, named by its group and its own caption.
std::string pageCaption(std::string_view group, std::string_view page) {
    return std::string(group) + " - " + std::string(page);
}

std::vector<SettingsGroup> buildLayout() {
    using namespace captions;
    std::vector<SettingsGroup> layout;
    for (int input = 1; input <= 2; ++input) {
        const std::string n = std::to_string(input);
        SettingsGroup group{pageCaption(inputsGroup, inputPage[input == 1 ? 0 : 1]), {}};
        addPositions(group, input == 1 ? ListId::TCV1 : ListId::TCV2);
        group.fields.insert(group.fields.end(), {"memoSMSV" + n, "memoSMSNV" + n});
        addPositions(group, input == 1 ? ListId::PZS1 : ListId::PZS2);
        group.fields.insert(group.fields.end(),
                            {"rbVST" + n + "_1", "rbVST" + n + "_2", "spinDELAY" + n});
        layout.push_back(std::move(group));
    }

    SettingsGroup status{std::string(statusGroup), {}};
    addPositions(status, ListId::TCZSSMS);
    status.fields.insert(status.fields.end(), {"spinINTERVAL", "spinCAS", "spinKREDIT"});
    layout.push_back(std::move(status));

    for (int output = 1; output <= 2; ++output) {
        const std::string n = std::to_string(output);
        layout.push_back({pageCaption(outputSmsGroup, outputSmsPage[output == 1 ? 0 : 1]),
                          {"memoSMSZAP" + n, "memoSMSVYP" + n, "SpinCASRELE" + n,
                           "MemoDTMFZAP" + n, "MemoDTMFVYP" + n}});
    }

    const std::pair<std::string_view, ListId> pages[] = {
        {ringPage[0], ListId::POV1},
        {ringPage[1], ListId::POV2},
        {smsNumbersPage[0], ListId::POO1},
        {smsNumbersPage[1], ListId::POO2},
    };
    for (const auto& [caption, list] : pages) {
        SettingsGroup group{pageCaption(outputNumbersGroup, caption), {}};
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
