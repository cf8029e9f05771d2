#pragma once

#include "transfer/TransferSequence.h"

#include <functional>
#include <optional>
#include <string>

namespace qolmex {

class Configuration;
struct LocalDateTime;
struct ValidationError;

// Writes a configuration into the unit: identity, write start, the 254 image blocks in
// ascending order, each until its echo matches, then the clock block.
class SendSequence : public TransferSequence {
public:
    using LocalTimeSource = std::function<LocalDateTime()>;

    SendSequence(TransferState& state, DeviceConnection& connection, TransferDialog& dialog,
                 TransferHost& host, LocalTimeSource localTime);

    // An invalid configuration is refused before the line is opened: nothing is sent and
    // the error comes back for the window to show. Every other outcome is told to the user.
    std::optional<ValidationError> run(const Configuration& config);

private:
    // Sends one block until its echo matches; false when the unit has stopped answering.
    bool sendBlock(std::uint16_t address, const std::function<std::string()>& payload);

    LocalTimeSource localTime_;
    std::string BlockPayload;
};

} // namespace qolmex
