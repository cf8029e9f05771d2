#pragma once

#include "transfer/MemoryImage.h"
#include "transfer/TransferSequence.h"

#include <functional>

namespace qolmex {

class Configuration;

// Reads the unit's configuration into the record: identity, read start, then one frame per
// acknowledgement until the frame at 4080 or above. Fields read stay when the read ends early.
class ReadSequence : public TransferSequence {
public:
    ReadSequence(TransferState& state, DeviceConnection& connection, TransferDialog& dialog,
                 TransferHost& host)
        : TransferSequence(state, connection, dialog, host) {}

    // Every frame received also goes to onFrame, as it came, for a caller that keeps the raw
    // image.
    using FrameSink = std::function<void(const Block&)>;

    void run(Configuration& config, const FrameSink& onFrame = {});
};

} // namespace qolmex
