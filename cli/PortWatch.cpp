#include "PortWatch.h"

#include "TerminalTransfer.h"
#include "UnitAccess.h"
#include "transfer/TransferTexts.h"

#include <algorithm>
#include <array>

namespace qolmex::cli {

PortWatch::PortWatch(UnitAccess& access, const BridgeEntry& bridge)
    : link_(access.link(bridge)),
      connection_(link_->library(), state_, [this](const std::string& text) {
          if (text != DeviceConnection::msgResetError)
              failure_ = text;
      }) {
    connection_.select(bridge);
}

PortWatch::~PortWatch() {
    connection_.Disconnect();
}

// A bridge being unplugged fails to open for a moment before the list stops showing it, so
// only a line that cannot be opened time after time means nobody can listen to it.
PortWatch::Heard PortWatch::listen() {
    if (state_.DeviceConnected && state_.UsbDevice->deviceLost())
        connection_.Disconnect();
    if (!state_.DeviceConnected) {
        failure_.clear();
        connection_.Connect();
        if (!state_.DeviceConnected)
            return ++failedOpens_ >= opensBeforeGivingUp ? Heard::CannotWatch : Heard::Nothing;
        failedOpens_ = 0;
        openedAt_ = link_->now();
        heard_.clear();
    }
    tftdichip& line = *state_.UsbDevice;
    DWORD waiting = 0;
    if (line.getQueueStatus(waiting) && waiting > 0) {
        std::array<char, 256> bytes{};
        DWORD got = 0;
        line.read(bytes.data(), std::min<DWORD>(waiting, bytes.size()), got);
        heard_.append(bytes.data(), got);
    }
    if (link_->now() - openedAt_ < TerminalTransfer::replyTick) {
        heard_.clear(); // the answer of the unit still attached
        return Heard::Nothing;
    }
    const std::string identity = qolmex::texts::identity;
    if (heard_.find(identity) != std::string::npos)
        return Heard::NewUnit;
    if (heard_.size() >= identity.size())
        heard_.erase(0, heard_.size() - identity.size() + 1);
    return Heard::Nothing;
}

} // namespace qolmex::cli
