#pragma once

#include <string>

namespace qolmex {

// One bridge as the device list shows it: enough to pick it (by serial number) and to tell
// the user why it cannot be used.
struct BridgeEntry {
    std::string description;  // the USB product string, "FT232R USB UART" on the unit
    std::string serialNumber;
    std::string via;          // viaVendorLibrary, or the serial port's path ("/dev/ttyUSB0")
    bool openable = true;     // whether this user can open it now
    std::string reason;       // why not, a Slovak sentence; empty when openable

    static constexpr const char* viaVendorLibrary = "D2XX";
};

} // namespace qolmex
