#include "TerminalTransfer.h"

#include "CliTexts.h"
#include "UnitAccess.h"
#include "transfer/MemoryImage.h"
#include "transfer/TransferSequence.h"
#include "usb/BlockExchange.h"

namespace qolmex::cli {

namespace {

// The blocks a Send still has to write while it writes the one at this address: the image
// blocks from there on and the clock block.
unsigned blocksLeftFrom(std::uint16_t address) {
    if (address > image::lastBlockAddress)
        return 1; // the clock block
    unsigned left = static_cast<unsigned>((image::lastBlockAddress - address) / blockSize) + 1;
    for (const std::uint16_t unused : image::unusedAddresses)
        left -= unused >= address ? 1 : 0;
    return left + 1;
}

} // namespace

TerminalTransfer::TerminalTransfer(TransferState& state, UnitLink& link,
                                   std::function<unsigned()> interrupted, ProgressLine* progress,
                                   Notice notice)
    : state_(state), link_(link), interruptRequested_(std::move(interrupted)), progress_(progress),
      notice_(std::move(notice)) {}

std::string TerminalTransfer::blocksLeftNotice(unsigned blocks) {
    // Two to four take the plural of both: "zostávajú 3 bloky", but "zostáva 5 blokov".
    const bool few = blocks >= 2 && blocks <= 4;
    const char* word = blocks == 1 ? "blok" : few ? "bloky" : "blokov";
    return std::string(texts::blocksLeft) + (few ? "zostávajú " : "zostáva ") +
           std::to_string(blocks) + " " + word + ". " + texts::secondCtrlC;
}

void TerminalTransfer::prepare(std::string phase, bool completesBlocks) {
    phase_ = std::move(phase);
    completesBlocks_ = completesBlocks;
    toldBlocksLeft_ = false;
    timerRunning_ = false;
    cancelVisible_ = false;
    startWaiting_ = false;
    startGivenUp_ = false;
    reachedBlocks_ = false;
    messages_.clear();
}

void TerminalTransfer::pump() {
    const std::chrono::milliseconds t = now();
    if (timerRunning_ && t >= timerDue_) {
        state_.ReplyTimedOut = true;
        timerDue_ += replyTick;
    }
    if (!state_.DeviceConnected)
        return; // Storno already pressed, or not yet connected
    if (const unsigned presses = interruptRequested_ ? interruptRequested_() : 0;
        presses > 0 && !interrupted_) {
        pressed(presses);
        if (interrupted_)
            return;
    }
    if (startWaiting_ && cancelVisible_ && t - startSince_ >= TransferSequence::stallLimit) {
        startGivenUp_ = true;
        btnCancelClick();
    }
}

void TerminalTransfer::pressed(unsigned presses) {
    if (completesBlocks_ && reachedBlocks_ && presses < 2) {
        if (!toldBlocksLeft_ && notice_) {
            if (progress_)
                progress_->end();
            // The block just tried may already be confirmed.
            notice_(blocksLeftNotice(blocksLeftFrom(state_.BlockAddress) -
                                     (state_.BlockConfirmed ? 1 : 0)));
        }
        toldBlocksLeft_ = true;
        return;
    }
    interrupted_ = true;
    btnCancelClick();
}

void TerminalTransfer::startReplyTimer() {
    timerRunning_ = true;
    timerDue_ = now() + replyTick;
}

// The identity wait is over; the start handshake that follows gets the stall limit.
void TerminalTransfer::stopReplyTimer() {
    timerRunning_ = false;
    startWaiting_ = true;
    startSince_ = now();
}

std::chrono::milliseconds TerminalTransfer::now() {
    return link_.now();
}

void TerminalTransfer::hideDialog() {
    if (progress_)
        progress_->end();
}

void TerminalTransfer::setGaugeVisible(bool visible) {
    if (!visible)
        return;
    reachedBlocks_ = true;
    startWaiting_ = false;
    if (progress_)
        progress_->start(phase_, now());
}

void TerminalTransfer::setProgress(int address) {
    if (progress_ && reachedBlocks_)
        progress_->update(static_cast<double>(address) / BlockExchange::lastImageAddress, now());
}

void TerminalTransfer::btnCancelClick() {
    state_.DeviceConnected = false;
    state_.BlockConfirmed = true;
    hideDialog();
}

} // namespace qolmex::cli
