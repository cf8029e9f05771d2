#pragma once

#include "sim/Clock.h"
#include "transfer/TransferDialog.h"
#include "transfer/TransferHost.h"
#include "usb/TransferState.h"

#include <functional>
#include <string>
#include <vector>

namespace qolmex {

// The program around a sequence, on the virtual clock: the reply timer ticks every 2000 ms
// of virtual time, and a test can act (press Storno, say) at any pump.
class FakeHost : public TransferHost {
public:
    FakeHost(VirtualClock& clock, TransferState& state) : clock_(clock), state_(state) {}

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

// A dialog that remembers what the sequence did with it; its Storno does what the real one does.
class FakeDialog : public TransferDialog {
public:
    FakeDialog(TransferState& state, FakeHost& host) : state_(state), host_(host) {}

    void showDialog() override {
        visible = true;
        ++shows;
    }
    void hideDialog() override { visible = false; }
    void setCaption(const std::string& text) override { caption = text; }
    void setLabel(const std::string& text) override { labels.push_back(text); }
    void setGaugeVisible(bool v) override { gaugeVisible = v; }
    void setCancelVisible(bool v) override { cancelVisible = v; }
    void setProgress(int address) override { progress.push_back(address); }
    void btnCancelClick() override {
        state_.DeviceConnected = false;
        state_.BlockConfirmed = true;
        visible = false;
        host_.setMainWindowEnabled(true);
    }

    bool visible = false;
    int shows = 0;
    std::string caption;
    std::vector<std::string> labels;
    bool gaugeVisible = false;
    bool cancelVisible = false;
    std::vector<int> progress;

private:
    TransferState& state_;
    FakeHost& host_;
};

} // namespace qolmex
