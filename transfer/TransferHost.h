#pragma once

#include <chrono>
#include <string>

namespace qolmex {

// What a transfer sequence needs from the program around it: the event pump that keeps the
// window alive inside its loops, the main window's enabled state, the message box, the reply
// timer (whose ticks set ReplyTimedOut during a pump) and a monotonic clock.
class TransferHost {
public:
    virtual ~TransferHost() = default;
    virtual void pump() = 0; // dispatches pending events and returns, never waits
    virtual void setMainWindowEnabled(bool enabled) = 0;
    virtual void showMessage(const std::string& text) = 0;
    virtual void startReplyTimer() = 0;
    virtual void stopReplyTimer() = 0;
    virtual std::chrono::milliseconds now() = 0;
};

} // namespace qolmex
