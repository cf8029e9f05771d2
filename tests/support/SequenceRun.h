#pragma once

#include "config/Configuration.h"
#include "sim/Clock.h"
#include "sim/RecordingDialog.h"
#include "sim/VirtualHost.h"
#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ReadSequence.h"
#include "transfer/SendSequence.h"
#include "usb/DeviceConnection.h"

#include <string>

namespace qolmex::testing {

// Send and Read as the window runs them, on a virtual clock, each ending with the verdict the
// program notes in a trace: "ok" or the last message it showed. The unit's clock block gets
// a fixed time, so a replay of a recorded Send can send the same bytes.
class SequenceRun {
public:
    static constexpr LocalDateTime fixedTime{2026, 3, 14, 9, 26};

    SequenceRun(D2xxLibrary& library, VirtualClock& clock)
        : host(clock, state), library_(library) {}

    std::string send(const Configuration& config) {
        SendSequence sequence(state, connection, dialog, host, [] { return fixedTime; });
        return noted([&] { sequence.run(config); });
    }
    std::string read(Configuration& config) {
        ReadSequence sequence(state, connection, dialog, host);
        return noted([&] { sequence.run(config); });
    }

    TransferState state;
    VirtualHost host;
    RecordingDialog dialog{state, host};

private:
    template <typename Run> std::string noted(Run run) {
        host.messages.clear();
        run();
        std::string verdict = "ok";
        for (const std::string& message : host.messages)
            if (message != DeviceConnection::msgResetError) // told, but the transfer goes on
                verdict = message;
        library_.noteVerdict(verdict);
        return verdict;
    }

    D2xxLibrary& library_;
    DeviceConnection connection{library_, state,
                                [this](const std::string& text) { host.showMessage(text); }};
};

} // namespace qolmex::testing
