#pragma once
// What must hold of the record whatever reached it, checked by the fuzz targets. A broken
// rule aborts, which libFuzzer reports with the input that did it.

#include "config/Configuration.h"

#include <cstdio>
#include <cstdlib>

namespace qolmex::fuzz {

inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// Lists stay gapless, positions after the first empty one are empty and disabled, and no
// input has both of its polarity buttons chosen.
inline void requireRecordRules(const Configuration& c) {
    for (const NumberList& list : numberLists) {
        bool gap = false;
        for (int k = 1; k <= list.size; ++k) {
            const FieldId id = c.position(list.id, k);
            if (gap)
                require(c.text(id).empty() && !c.isEnabled(id), "a list position after a gap");
            else
                require(c.isEnabled(id), "a list position before the gap is disabled");
            gap = gap || c.text(id).empty();
        }
    }
    for (const char* input : {"rbVST1_", "rbVST2_"}) {
        const std::string name(input);
        require(!(c.isChosen(name + "1") && c.isChosen(name + "2")), "both polarities chosen");
    }
}

} // namespace qolmex::fuzz
