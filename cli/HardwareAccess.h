#pragma once

#include "UnitAccess.h"
#include "usb/SerialPortSystem.h"

#include <functional>
#include <memory>
#include <string>

namespace qolmex::cli {

// Where bridges are reached: the vendor's library and the system's serial ports; the real
// ones unless a test hands in its own.
struct BridgeBackends {
    std::function<std::unique_ptr<D2xxLibrary>()> vendor;
    std::function<std::unique_ptr<SerialPortSystem>()> ports;
};

// The bridges attached to this PC: the vendor library first, then the serial driver; or
// only the serial port with the given path.
class HardwareAccess : public UnitAccess {
public:
    explicit HardwareAccess(std::string portPath = {}, BridgeBackends backends = {});

    std::vector<BridgeEntry> listBridges() override;
    bool listingFailed() const override;
    std::unique_ptr<UnitLink> link(const BridgeEntry& bridge) override;

private:
    std::unique_ptr<D2xxLibrary> allBridges() const;

    std::string portPath_;
    BridgeBackends backends_;
    std::unique_ptr<D2xxLibrary> lister_;
};

} // namespace qolmex::cli
