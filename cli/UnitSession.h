#pragma once

#include "Interrupt.h"
#include "TerminalTransfer.h"
#include "transfer/ClockBlock.h"
#include "transfer/MemoryImage.h"
#include "usb/DeviceConnection.h"
#include "usb/TransferState.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace qolmex {
class Configuration;
}

namespace qolmex::cli {

class UnitLink;

// How one transfer ended, for the exit code and the message.
struct TransferOutcome {
    enum class Kind {
        Ok,
        NoUnit,      // Connect failed, or the unit is not ours: exit 3
        Failed,      // the unit stopped answering after Connect: exit 4
        Interrupted, // Ctrl+C: exit 130
    };
    Kind kind = Kind::Ok;
    std::string message; // the window's text for it, empty when Ok
    bool blocksWritten = false; // a Send that got as far as writing blocks

    bool ok() const { return kind == Kind::Ok; }
};

using RawImage = std::array<std::uint8_t, image::imageSize>;

// The transfers of one unit on one thread, with a transfer state, connection and link of
// their own: nothing is shared with another session. While it lives, Ctrl+C is left to its
// transfers (InterruptShield).
class UnitSession {
public:
    // bridge: the one the device list showed (see DeviceConnection::select); empty for the
    // first with the unit's description.
    UnitSession(UnitLink& link, const BridgeEntry& bridge, std::function<unsigned()> interrupted,
                ProgressLine* progress, TerminalTransfer::Notice notice = {});

    // Reads the unit into config; raw gets each frame's 16 bytes at its address.
    TransferOutcome read(Configuration& config, RawImage& raw, const std::string& phase);
    // The configuration must have passed validateForUnit.
    TransferOutcome send(const Configuration& config, const std::function<LocalDateTime()>& time,
                         const std::string& phase);

    // Connect's own texts beyond the window's failures, "reset error?" say, which do not end
    // the transfer.
    const std::vector<std::string>& warnings() const { return warnings_; }

private:
    TransferOutcome outcome() const;
    TransferOutcome noted(TransferOutcome outcome);

    InterruptShield shield_;
    std::function<unsigned()> interrupted_;
    TransferState state_;
    TerminalTransfer terminal_;
    DeviceConnection connection_;
    std::string connectFailure_;
    std::vector<std::string> warnings_;
    D2xxLibrary& library_; // where the verdict of each transfer is noted, for a trace
};

} // namespace qolmex::cli
