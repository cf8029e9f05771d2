#include "HardwareAccess.h"

#include "usb/D2xxBackendChain.h"
#include "usb/RealD2xx.h"
#include "usb/SerialD2xx.h"
#include "usb/SerialPortSystem.h"

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

HardwareAccess::HardwareAccess(std::string portPath) : portPath_(std::move(portPath)) {}

std::unique_ptr<D2xxLibrary> HardwareAccess::makeLibrary() const {
    if (portPath_.empty())
        return makeRealD2xxLibrary();
    return std::make_unique<SerialD2xx>(makeFixedPortSystem(portPath_));
}

std::vector<BridgeEntry> HardwareAccess::listBridges() {
    if (!lister_)
        lister_ = makeLibrary();
    return lister_->listBridges();
}

std::unique_ptr<UnitLink> HardwareAccess::link(const std::string&) {
    return std::make_unique<HardwareLink>(makeLibrary());
}

} // namespace qolmex::cli
