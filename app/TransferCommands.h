#pragma once

#include "transfer/TransferHost.h"
#include "usb/D2xxBackendChain.h"
#include "usb/DeviceConnection.h"

#include <memory>

namespace qolmex {

class TfMain;
class TfRead;
class TfSend;

// Send and Read over the USB link, started by btnSend and btnRead. It gives the sequences
// the window's event loop, its enabled state, its message box and its Timer1.
class TransferCommands : public TransferHost {
public:
    // Without a device, a chain with no backend: every transfer finds no bridge.
    TransferCommands(TfMain& window, D2xxLibrary* device);
    ~TransferCommands() override;

    void send();
    void read();
    // True from the start of a Send or Read until its sequence has disconnected, also after
    // Storno has given the window back; no second transfer may start meanwhile.
    bool running() const { return running_; }

    TfSend& fSend() { return *fSend_; }
    TfRead& fRead() { return *fRead_; }

    void pump() override;
    void setMainWindowEnabled(bool enabled) override;
    void showMessage(const std::string& text) override;
    void startReplyTimer() override;
    void stopReplyTimer() override;
    std::chrono::milliseconds now() override;

private:
    // Notes how the transfer just run ended, for a trace: "ok", Storno, or the last message.
    void noteVerdict();

    TfMain& window_;
    D2xxBackendChain noBridge_;
    D2xxLibrary& device_;
    DeviceConnection connection_;
    std::unique_ptr<TfSend> fSend_;
    std::unique_ptr<TfRead> fRead_;
    bool running_ = false;
    std::string lastMessage_; // of the transfer under way
    bool stornoPressed_ = false;
};

} // namespace qolmex
