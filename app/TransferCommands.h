#pragma once

namespace qolmex {

class TfMain;

// Send and Read over the USB link, started by btnSend and btnRead.
class TransferCommands {
public:
    explicit TransferCommands(TfMain& window) : window_(window) {}

    void send();
    void read();

private:
    [[maybe_unused]] TfMain& window_;
};

} // namespace qolmex
