#pragma once
// The state one transfer shares between the connection, the block primitives,
// the Send/Read sequences and their dialogs. One instance, owned by the main
// window; all false, zero or empty at start.

#include "usb/FTDIchip.h"

#include <cstdint>
#include <memory>
#include <string>

namespace qolmex {

struct TransferState {
    std::unique_ptr<tftdichip> UsbDevice; // exists only from Connect to Disconnect
    bool DeviceConnected = false;         // cleared by Disconnect and by "Storno"
    bool BlockConfirmed = false;          // done flag of every waiting loop
    bool ReplyTimedOut = false;           // set by each tick of the reply timer
    std::uint16_t BlockAddress = 0;       // unsigned: 0xFFF0 is 65520, never negative
    std::string FrameBuffer;              // bytes of the last frame sent or received
    std::uint32_t BytesWritten = 0;
    std::uint32_t BytesRead = 0;
    std::string FieldText;                // text decoded from the current received block
};

} // namespace qolmex
