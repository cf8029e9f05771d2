#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qolmex {

// One bridge as the device list shows it: enough to pick exactly this one again (by serial
// number, port or location) and to tell the user why it cannot be used.
struct BridgeEntry {
    std::string description;  // the USB product string, "FT232R USB UART" on the unit
    std::string serialNumber;
    std::string via;          // viaVendorLibrary, or the serial port's path ("/dev/ttyUSB0")
    bool openable = true;     // whether this user can open it now
    std::string reason;       // why not, a Slovak sentence; empty when openable
    std::optional<std::uint32_t> location{}; // the vendor library's LocId, where it gave one

    static constexpr const char* viaVendorLibrary = "D2XX";

    bool viaPort() const { return !via.empty() && via != viaVendorLibrary; }
    // What tells this bridge from every other one attached: its serial number, else its port,
    // else its place on the bus.
    std::string key() const;
};

} // namespace qolmex
