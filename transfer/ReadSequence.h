#pragma once

#include "transfer/TransferSequence.h"

namespace qolmex {

class Configuration;

// Reads the unit's configuration into the record: identity, read start, then one frame per
// acknowledgement until the frame at 4080 or above. Fields read stay when the read ends early.
class ReadSequence : public TransferSequence {
public:
    ReadSequence(TransferState& state, DeviceConnection& connection, TransferDialog& dialog,
                 TransferHost& host)
        : TransferSequence(state, connection, dialog, host) {}

    void run(Configuration& config);
};

} // namespace qolmex
