#pragma once

#include "usb/BridgeEntry.h"
#include "usb/DeviceConnection.h"
#include "usb/TransferState.h"

#include <chrono>
#include <memory>
#include <string>

namespace qolmex::cli {

class UnitAccess;
class UnitLink;

// A bridge whose unit is done but which stays attached, as a port does when units are swapped
// at the far end of its cable: its line is held open and listened to. The unit still attached
// answers the opening within the first reply tick; an identity heard after that comes from a
// unit attached since, the next one to program. Listening never waits; it is called once
// per look at the device list, while the list shows the bridge.
class PortWatch {
public:
    enum class Heard {
        Nothing,
        NewUnit,
        CannotWatch, // the line cannot be opened: failure() says why
    };

    // Looks at the list this many times at most while the line will not open.
    static constexpr int opensBeforeGivingUp = 4;

    PortWatch(UnitAccess& access, const BridgeEntry& bridge);
    ~PortWatch();
    PortWatch(const PortWatch&) = delete;
    PortWatch& operator=(const PortWatch&) = delete;

    Heard listen();
    const std::string& failure() const { return failure_; }

private:
    std::unique_ptr<UnitLink> link_;
    TransferState state_;
    DeviceConnection connection_;
    std::string failure_;
    std::chrono::milliseconds openedAt_{0};
    std::string heard_;
    int failedOpens_ = 0;
};

} // namespace qolmex::cli
