#pragma once

#include "transfer/TransferDialog.h"
#include "transfer/TransferHost.h"
#include "usb/TransferState.h"

#include <string>
#include <vector>

namespace qolmex {

// A dialog that remembers what the sequence did with it; its Storno does what the real one does.
class RecordingDialog : public TransferDialog {
public:
    RecordingDialog(TransferState& state, TransferHost& host) : state_(state), host_(host) {}

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

    // What a user can press: Storno only while the dialog shows it.
    bool stornoOffered() const { return visible && cancelVisible; }

    bool visible = false;
    int shows = 0;
    std::string caption;
    std::vector<std::string> labels;
    bool gaugeVisible = false;
    bool cancelVisible = false;
    std::vector<int> progress;

private:
    TransferState& state_;
    TransferHost& host_;
};

} // namespace qolmex
