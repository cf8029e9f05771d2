#include "usb/BridgeEntry.h"

#include <cstdio>

namespace qolmex {

std::string BridgeEntry::key() const {
    if (!serialNumber.empty())
        return serialNumber;
    if (viaPort() || !location)
        return via;
    char place[16];
    std::snprintf(place, sizeof place, "@%04X", static_cast<unsigned>(*location));
    return via + place;
}

} // namespace qolmex
