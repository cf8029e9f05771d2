#pragma once
// One whole transfer against a ScriptedUnit, with the user of the window around it: the
// first byte of the input is the pump at which Storno is pressed (0: never on purpose), and
// a user who has watched Storno for a minute of virtual time presses it anyway, since that
// is the one way the program offers out of a start handshake the unit never answers.

#include "FuzzChecks.h"
#include "ScriptedUnit.h"
#include "sim/RecordingDialog.h"
#include "sim/VirtualHost.h"
#include "transfer/TransferTexts.h"
#include "usb/DeviceConnection.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qolmex::fuzz {

class TransferRun {
public:
    explicit TransferRun(std::span<const std::uint8_t> input)
        : unit(clock, input.empty() ? input : input.subspan(1)),
          stornoAtPump(input.empty() ? 0 : input.front()) {
        host.onPump = [this] { onPump(); };
    }

    // However it ended: line closed, dialog gone, window usable, and at most one message
    // beyond the connection's reset warning, each one of the program's own.
    void requireIdle() const {
        require(!dialog.visible, "the dialog stayed open");
        require(host.mainEnabled, "the main window stayed disabled");
        require(!state.DeviceConnected && !state.UsbDevice, "the connection stayed open");
        require(!unit.isOpen(), "the device stayed open");
        int told = 0;
        for (const std::string& m : host.messages) {
            if (m == DeviceConnection::msgResetError)
                continue;
            ++told;
            require(m == texts::wrongUnit || m == texts::unitStopped || m == texts::unplugged ||
                        m == DeviceConnection::msgNotConnected ||
                        m == DeviceConnection::msgOpenFailed ||
                        m == DeviceConnection::msgDamagedChip ||
                        m == DeviceConnection::msgWrongDevice,
                    "a message that is none of the program's");
        }
        require(told <= 1, "more than one message for one transfer");
    }

    bool told() const {
        for (const std::string& m : host.messages)
            if (m != DeviceConnection::msgResetError)
                return true;
        return false;
    }

    VirtualClock clock;
    ScriptedUnit unit;
    TransferState state;
    VirtualHost host{clock, state};
    RecordingDialog dialog{state, host};
    DeviceConnection connection{unit, state, [this](const std::string& m) { host.showMessage(m); }};
    bool stornoPressed = false;

private:
    void onPump() {
        // Far beyond any way a transfer can end on its own: the sequence hangs.
        require(clock.now() < std::chrono::hours(6), "the transfer never ends");
        if (!dialog.stornoOffered()) {
            offeredSince_.reset();
            return;
        }
        if (!offeredSince_)
            offeredSince_ = clock.now();
        if (host.pumps == stornoAtPump || clock.now() - *offeredSince_ > std::chrono::minutes(1)) {
            stornoPressed = true;
            dialog.btnCancelClick();
        }
    }

    long stornoAtPump;
    std::optional<Clock::TimePoint> offeredSince_;
};

} // namespace qolmex::fuzz
