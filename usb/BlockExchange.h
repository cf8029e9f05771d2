#pragma once
// The three primitives that move one 16-byte block over the open line.
//
// Frame: address high byte, address low byte, 16 data bytes (18 in all).
// A written frame is answered by a 16-byte echo of its data; a received
// frame is answered by the acknowledgement byte 0x1F.
//
// Way out of the endless loops: on a dead line the retry loops of ReadPacket
// and ACK would never end. After every pass that did not succeed they ask
// shouldStop (by default: never); when it says true they give up and return
// false, leaving BlockAddress as it was. With a unit that answers nothing
// changes. The callers bound their own waits through it (cancel, a deadline).

#include "usb/TransferState.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qolmex {

class BlockExchange {
public:
    using Pump = std::function<void()>;             // dispatches pending events, never waits
    using Progress = std::function<void(int)>;      // moves a dialog's gauge
    using StopCondition = std::function<bool()>;

    static constexpr std::size_t blockSize = 16;
    static constexpr std::size_t frameSize = 18;
    static constexpr char acknowledgement = 0x1F;
    static constexpr std::uint16_t lastImageAddress = 4080;

    BlockExchange(TransferState& state, Pump pump, Progress sendProgress, Progress readProgress,
                  StopCondition shouldStop = [] { return false; });

    // Pads block in place with 0x00 to 16 bytes, writes the frame for
    // BlockAddress and reads the echo; sets BlockConfirmed only when 18 bytes
    // went out, 16 came back and they equal the block. Moves the send gauge
    // for addresses up to 4080 only.
    void SendTxString(std::string& block);

    // Waits for one whole 18-byte frame (shorter reads are dropped whole);
    // FrameBuffer then holds it and BlockAddress its address. Empties FieldText.
    // False only when shouldStop ended the wait.
    bool ReadPacket();

    // Sends 0x1F until it is written, pumping once after each attempt, then moves the
    // read gauge to BlockAddress. False only when shouldStop ended the retries (the gauge
    // then stays).
    bool ACK();

private:
    void pumpOnce();
    void write(const std::string& bytes);
    void read(std::size_t count);

    TransferState& state_;
    Pump pump_;
    Progress sendProgress_;
    Progress readProgress_;
    StopCondition shouldStop_;
};

} // namespace qolmex
