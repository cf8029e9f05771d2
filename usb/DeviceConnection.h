#pragma once
// Connect / Disconnect: finds the unit's bridge by its description, checks that
// it is an FT232R, resets it and sets the fixed line (9600 baud, 8N1, no flow
// control, read 500 ms, write 1000 ms, latency timer 1 ms). Every failure is told
// through the message function and leaves Not connected; never are two wrappers open.

#include "usb/D2xxLibrary.h"
#include "usb/TransferState.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace qolmex {

class DeviceConnection {
public:
    using MessageFunction = std::function<void(const std::string&)>; // UTF-8 text, shown modally

    static constexpr const char* bridgeDescription = "FT232R USB UART";
    static constexpr DWORD readTimeoutMs = 500;
    static constexpr DWORD writeTimeoutMs = 1000;
    static constexpr UCHAR latencyTimerMs = 1;

    static constexpr const char* msgNotConnected = "Nepripojené zariadenie !";
    static constexpr const char* msgOpenFailed = "Pripojenie k zariadeniu neúspešné !";
    static constexpr const char* msgDamagedChip = "Poškodený obvod !";
    static constexpr const char* msgWrongDevice = "Nesprávne USB zariadenie !";
    static constexpr const char* msgResetError = "reset error?";

    DeviceConnection(D2xxLibrary& library, TransferState& state, MessageFunction showMessage);

    // Which bridge Connect looks for: the one with this serial number; empty (the default)
    // means the first with the unit's description.
    void selectBySerialNumber(std::string serialNumber) { serialNumber_ = std::move(serialNumber); }
    // Exactly the bridge the device list showed: by its serial number where it has one, else
    // by its location where the vendor library gave one, else by the unit's description
    // (a port without a serial number is chosen by the library the caller hands in).
    void select(const BridgeEntry& bridge);

    // Outcome in state.DeviceConnected; a wrapper left from a cancelled transfer
    // is closed first as well, so a new one is never opened beside it.
    void Connect();
    // Harmless without a device or with a wrapper that is not open.
    void Disconnect();

private:
    void discardDevice();

    D2xxLibrary& library_;
    TransferState& state_;
    MessageFunction showMessage_;
    bool open(tftdichip& device, bool probeOnly);

    std::string serialNumber_;
    std::optional<std::uint32_t> location_;
};

} // namespace qolmex
