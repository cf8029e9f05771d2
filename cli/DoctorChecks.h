#pragma once
// The doctor's checks, in the order they are printed. Each adds its lines to the report; a
// check whose premise failed is skipped. None writes a byte to a port, and only the identity
// check opens one: the one bridge that is an FT232R described "FT232R USB UART".

#include "DoctorCheck.h"
#include "DoctorSetup.h"
#include "UnitAccess.h"

#include <string>

namespace qolmex::cli {

// Linux: the USB devices, the bridge's description, driver and port, this user's access,
// ModemManager, brltty, another program on the port, the latency timer, the vendor library,
// then the identity. wantedSerial picks the bridge among several (empty: the first).
void linuxChecks(DoctorReport& report, const DoctorSetup& setup, UnitAccess& access,
                 const std::string& wantedSerial);

// Windows: the vendor library, each bridge it lists, the unit's bridge, then the identity.
void windowsChecks(DoctorReport& report, const DoctorSetup& setup, UnitAccess& access,
                   const std::string& wantedSerial);

// A unit the options name (a port, the virtual unit, a replay): the bridges its access
// lists, then the identity.
void accessChecks(DoctorReport& report, UnitAccess& access, const std::string& wantedSerial);

// The vendor library found or not, with its version; a failure only where it is the one way
// to the bridge.
void vendorLibraryCheck(DoctorReport& report, const DoctorSetup& setup, bool required);

// Opens the bridge with this serial number (empty: the one described "FT232R USB UART") with
// Connect's settings and listens for the unit's identity for up to 2 s, writing nothing.
void identityCheck(DoctorReport& report, UnitAccess& access, const std::string& serialNumber,
                   const std::vector<std::string>& premises);

} // namespace qolmex::cli
