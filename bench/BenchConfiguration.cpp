#include "BenchConfiguration.h"

#include "config/NumberList.h"
#include "transfer/MemoryImage.h"

#include <string>

namespace qolmex::bench {
namespace {

// Texts are Windows-1250 bytes, as the unit keeps them: 0xFD "ý", 0xE1 "á", 0xE8 "č",
// 0xED "í", 0xBE "ľ".
constexpr const char* smsTexts[] = {
    "Vstup 1 akt\xEDvny",
    "Vstup 2 akt\xEDvny",
    "Vstup 1 v k\xBEude",
    "Vstup 2 v k\xBEude",
    "V\xFDstup 1 zapnut\xFD",
    "V\xFDstup 2 zapnut\xFD na \xE8" "as zopnutia, potom sa s\xE1m vypne. Stav kreditu sa "
    "posiela pravidelne.",
    "V\xFDstup 1 vypnut\xFD",
    "V\xFDstup 2 vypnut\xFD",
};

// "+4219" and the list's two digits, then six digits that differ by position: 13 characters.
std::string phoneNumber(int list, int position) {
    return "+4219" + std::to_string(10 + list) + std::to_string(100000 + 37 * position);
}

} // namespace

void fillPlausibly(Configuration& config) {
    int listIndex = 0;
    for (const NumberList& list : numberLists) {
        ++listIndex;
        for (int k = 1; k <= list.size; ++k)
            config.setText(config.position(list.id, k), phoneNumber(listIndex, k));
    }
    const char* dtmf[] = {"1234", "4321", "#55*", "*66#"};
    for (std::size_t i = 0; i < dtmfBlocks.size(); ++i)
        config.setText(dtmfBlocks[i].field, dtmf[i]);
    for (std::size_t i = 0; i < smsAreas.size(); ++i)
        config.setText(smsAreas[i].field, smsTexts[i]);

    // Interval, hour, the two switching times, credit, the two delays.
    const char* numbers[] = {"24", "18", "5", "120", "3", "2", "10"};
    for (std::size_t i = 0; i < settingsNumbers.size(); ++i)
        config.setText(settingsNumbers[i].field, numbers[i]);
    config.setChosen("rbVST1_2", true);
    config.setChosen("rbVST2_1", true);
}

} // namespace qolmex::bench
