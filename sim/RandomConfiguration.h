#pragma once

#include "config/Configuration.h"
#include "transfer/MemoryImage.h"

#include <random>
#include <string>

namespace qolmex {

// Random valid configurations for round trips: seeded, so a failure can be replayed.
class RandomConfiguration {
public:
    explicit RandomConfiguration(unsigned seed) : random_(seed) {}

    // Gapless lists, any bytes in the texts, whole numbers in their range and written in
    // their shortest form (as Read writes them back), one polarity button per input.
    Configuration make() {
        Configuration c;
        for (const NumberList& list : numberLists) {
            const int filled = between(0, list.size);
            for (int k = 1; k <= filled; ++k)
                c.setText(c.position(list.id, k), bytes(between(1, 15)));
        }
        for (const NamedBlock& dtmf : dtmfBlocks)
            c.setText(dtmf.field, bytes(between(0, 15)));
        for (const NamedBlock& area : smsAreas)
            c.setText(area.field, bytes(oneIn(4) ? 127 : between(0, 127)));
        for (const SettingsNumber& number : settingsNumbers) {
            const FieldDef& def = c.definition(c.id(number.field));
            c.setText(number.field, std::to_string(between(static_cast<int>(def.minValue),
                                                           static_cast<int>(def.maxValue))));
        }
        c.setChosen(oneIn(2) ? "rbVST1_1" : "rbVST1_2", true);
        c.setChosen(oneIn(2) ? "rbVST2_1" : "rbVST2_2", true);
        return c;
    }

private:
    int between(int min, int max) { return std::uniform_int_distribution<int>(min, max)(random_); }
    bool oneIn(int n) { return between(1, n) == 1; }

    std::string bytes(int length) {
        std::string text;
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(between(0, 255));
        return text;
    }

    std::mt19937 random_;
};

} // namespace qolmex
