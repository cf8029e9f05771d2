#pragma once

#include "transfer/TransferDialog.h"
#include "transfer/TransferHost.h"
#include "usb/BlockExchange.h"
#include "usb/DeviceConnection.h"
#include "usb/TransferState.h"

#include <chrono>
#include <cstdint>

namespace qolmex {

// The steps Send and Read share: connect, show the dialog, wait for the unit's identity,
// the start handshake, and every way of ending with the window usable again.
class TransferSequence {
public:
    // A unit that has begun a transfer and then says nothing for this long is given up.
    static constexpr std::chrono::milliseconds stallLimit{10000};
    static constexpr std::size_t identityLength = 8;
    static constexpr std::size_t startAnswerLength = 16;

protected:
    TransferSequence(TransferState& state, DeviceConnection& connection, TransferDialog& dialog,
                     TransferHost& host);

    // Connects and shows the dialog waiting; false when there is no connection (the
    // connection has told the user why).
    bool begin(const char* caption);
    // Waits one reply-timer tick at most for the identity; on a wrong or missing one the
    // dialog is closed, the line too, and the user told.
    bool identify();
    // Sends startByte until the unit answers 16 bytes that begin with answer, or the user
    // cancels; a cancel ends the transfer silently.
    bool startExchange(std::uint8_t startByte, std::uint8_t answer);
    // Cancel goes, the gauge comes.
    void enterTransferring();
    // The ordinary end: line closed, dialog hidden, window enabled.
    void finish();
    // The unit stopped answering in the middle: end as usual, then say so. After a Storno
    // it ends the same way, silently.
    void giveUpStalled();
    // Storno clears the connection flag; every loop of a transfer ends on it.
    bool cancelled() const { return !state_.DeviceConnected; }

    // Progress watch for the stall limit.
    void markProgress() { lastProgress_ = host_.now(); }
    bool stalled() { return host_.now() - lastProgress_ >= stallLimit; }

    TransferState& state_;
    DeviceConnection& connection_;
    TransferDialog& dialog_;
    TransferHost& host_;
    BlockExchange exchange_;

private:
    std::chrono::milliseconds lastProgress_{0};
};

} // namespace qolmex
