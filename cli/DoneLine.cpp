#include "DoneLine.h"

#include <cstdio>

namespace qolmex::cli {

std::string secondsForPeople(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    std::string shown(text);
    for (char& c : shown)
        if (c == '.')
            c = ',';
    return shown;
}

std::string doneLine(Deed deed, const std::string& unit, double seconds) {
    const std::string which = unit.empty() ? std::string() : " " + unit;
    const std::string took = " za " + secondsForPeople(seconds) + " s.";
    switch (deed) {
    case Deed::Read:
        return "Načítané zo zariadenia" + which + took;
    case Deed::Sent:
        return "Odoslané do zariadenia" + which + took;
    case Deed::SentAndVerified:
        return "Odoslané do zariadenia" + which + " a skontrolované" + took;
    case Deed::Verified:
        return "Nastavenia v zariadení" + which + " sú rovnaké ako v súbore, skontrolované" + took;
    }
    return {};
}

} // namespace qolmex::cli
