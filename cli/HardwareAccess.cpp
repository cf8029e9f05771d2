#include "HardwareAccess.h"

#include "usb/D2xxBackendChain.h"
#include "usb/SerialD2xx.h"
#include "usb/VendorD2xx.h"

namespace qolmex::cli {
namespace {

class HardwareLink : public UnitLink {
public:
    explicit HardwareLink(std::unique_ptr<D2xxLibrary> library) : library_(std::move(library)) {}
    D2xxLibrary& library() override { return *library_; }
    std::chrono::milliseconds now() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }

private:
    std::unique_ptr<D2xxLibrary> library_;
};

} // namespace

HardwareAccess::HardwareAccess(std::string portPath, BridgeBackends backends)
    : portPath_(std::move(portPath)), backends_(std::move(backends)) {
    if (!backends_.vendor)
        backends_.vendor = [] { return std::make_unique<VendorD2xx>(); };
    if (!backends_.ports)
        backends_.ports = makeLibSerialPortSystem;
}

// Windows has no serial ports of ours (makeLibSerialPortSystem finds none there).
std::unique_ptr<D2xxLibrary> HardwareAccess::allBridges() const {
    if (!portPath_.empty())
        return std::make_unique<SerialD2xx>(makeFixedPortSystem(portPath_));
    auto chain = std::make_unique<D2xxBackendChain>();
    chain->add(backends_.vendor());
    chain->add(std::make_unique<SerialD2xx>(backends_.ports()));
    return chain;
}

std::vector<BridgeEntry> HardwareAccess::listBridges() {
    if (!lister_)
        lister_ = allBridges();
    return lister_->listBridges();
}

bool HardwareAccess::listingFailed() const {
    return lister_ && lister_->listingFailed();
}

// A bridge with a serial number is found by it, whichever way reaches it. One without is
// reached only the way the list showed it, so that its twin is never taken instead: its
// port alone, or the vendor library, which opens it by its location.
std::unique_ptr<UnitLink> HardwareAccess::link(const BridgeEntry& bridge) {
    if (!portPath_.empty() || !bridge.serialNumber.empty() || bridge.via.empty())
        return std::make_unique<HardwareLink>(allBridges());
    if (bridge.viaPort())
        return std::make_unique<HardwareLink>(
            std::make_unique<SerialD2xx>(makeOnePortSystem(backends_.ports(), bridge.via)));
    return std::make_unique<HardwareLink>(backends_.vendor());
}

} // namespace qolmex::cli
