#include "TerminalTransfer.h"

#include "UnitAccess.h"
#include "transfer/TransferSequence.h"
#include "usb/BlockExchange.h"

namespace qolmex::cli {

TerminalTransfer::TerminalTransfer(TransferState& state, UnitLink& link,
                                   std::function<bool()> interrupted, ProgressLine* progress)
    : state_(state), link_(link), interruptRequested_(std::move(interrupted)),
      progress_(progress) {}

void TerminalTransfer::prepare(std::string phase) {
    phase_ = std::move(phase);
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
    if (!interrupted_ && interruptRequested_ && interruptRequested_()) {
        interrupted_ = true;
        btnCancelClick();
        return;
    }
    if (startWaiting_ && cancelVisible_ && t - startSince_ >= TransferSequence::stallLimit) {
        startGivenUp_ = true;
        btnCancelClick();
    }
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
