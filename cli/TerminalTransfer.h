#pragma once

#include "ProgressLine.h"
#include "transfer/TransferDialog.h"
#include "transfer/TransferHost.h"
#include "usb/TransferState.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qolmex::cli {

class UnitLink;

// The program around one transfer on a terminal: the pump looks at Ctrl+C and presses
// Storno for it, ticks the reply timer, and gives up a start handshake that has gone
// unanswered for the stall limit, since nobody may be there to press Storno. The "dialog"
// is the optional progress line; messages are collected for the caller to judge.
//
// Once a Send writes blocks the window offers no Storno, since an interrupted Send leaves the
// unit with an incomplete configuration: the first Ctrl+C then only tells how many blocks are
// left, and a second one abandons the unit.
class TerminalTransfer : public TransferHost, public TransferDialog {
public:
    static constexpr std::chrono::milliseconds replyTick{2000};
    using Notice = std::function<void(const std::string&)>;

    // interrupted: how many times Ctrl+C has been pressed. notice: tells the user something
    // while the transfer goes on.
    TerminalTransfer(TransferState& state, UnitLink& link, std::function<unsigned()> interrupted,
                     ProgressLine* progress, Notice notice);

    // Before each transfer: what the progress line calls it, and whether it is a Send whose
    // blocks are not to be left half written; clears what the last one left.
    void prepare(std::string phase, bool completesBlocks = false);

    bool interrupted() const { return interrupted_; }
    bool startGivenUp() const { return startGivenUp_; }
    bool reachedBlocks() const { return reachedBlocks_; }
    const std::vector<std::string>& messages() const { return messages_; }

    // TransferHost
    void pump() override;
    void setMainWindowEnabled(bool) override {}
    void showMessage(const std::string& text) override { messages_.push_back(text); }
    void startReplyTimer() override;
    void stopReplyTimer() override;
    std::chrono::milliseconds now() override;

    // TransferDialog
    void showDialog() override {}
    void hideDialog() override;
    void setCaption(const std::string&) override {}
    void setLabel(const std::string&) override {}
    void setGaugeVisible(bool visible) override;
    void setCancelVisible(bool visible) override { cancelVisible_ = visible; }
    void setProgress(int address) override;
    void btnCancelClick() override;

    // "…, zostáva 120 blokov. ..." for the first Ctrl+C while a Send writes its blocks.
    static std::string blocksLeftNotice(unsigned blocks);

private:
    void pressed(unsigned presses);

    TransferState& state_;
    UnitLink& link_;
    std::function<unsigned()> interruptRequested_;
    ProgressLine* progress_;
    Notice notice_;
    std::string phase_;
    bool completesBlocks_ = false;
    bool toldBlocksLeft_ = false;

    bool timerRunning_ = false;
    std::chrono::milliseconds timerDue_{0};
    bool cancelVisible_ = false;
    bool startWaiting_ = false;
    std::chrono::milliseconds startSince_{0};

    bool interrupted_ = false;
    bool startGivenUp_ = false;
    bool reachedBlocks_ = false;
    std::vector<std::string> messages_;
};

} // namespace qolmex::cli
