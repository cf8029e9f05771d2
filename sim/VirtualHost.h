#pragma once

#include "sim/Clock.h"
#include "transfer/TransferHost.h"
#include "usb/TransferState.h"

#include <functional>
#include <string>
#include <vector>

namespace qolmex {

// The program around a sequence, on the virtual clock: the reply timer ticks every 2000 ms
// of virtual time, and a caller can act (press Storno, say) at any pump.
class VirtualHost : public TransferHost {
public:
    VirtualHost(VirtualClock& clock, TransferState& state) : clock_(clock), state_(state) {}

    // Each pass of the window's event loop takes a little time, even on a dead line.
    void pump() override {
        ++pumps;
        clock_.advance(std::chrono::milliseconds(1));
        if (timerRunning_ && now() >= timerDue_) {
            state_.ReplyTimedOut = true;
            timerDue_ += tick;
        }
        if (onPump)
            onPump();
    }
    void setMainWindowEnabled(bool enabled) override { mainEnabled = enabled; }
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void startReplyTimer() override {
        timerRunning_ = true;
        timerDue_ = now() + tick;
    }
    void stopReplyTimer() override { timerRunning_ = false; }
    std::chrono::milliseconds now() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now());
    }

    static constexpr std::chrono::milliseconds tick{2000};
    int pumps = 0;
    bool mainEnabled = true;
    std::vector<std::string> messages;
    std::function<void()> onPump;

private:
    VirtualClock& clock_;
    TransferState& state_;
    bool timerRunning_ = false;
    std::chrono::milliseconds timerDue_{0};
};

} // namespace qolmex
