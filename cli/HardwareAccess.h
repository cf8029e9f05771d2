#pragma once

#include "UnitAccess.h"

#include <memory>
#include <string>

namespace qolmex::cli {

// The bridges attached to this PC: the vendor library first, then the serial driver; or
// only the serial port with the given path.
class HardwareAccess : public UnitAccess {
public:
    explicit HardwareAccess(std::string portPath = {});

    std::vector<BridgeEntry> listBridges() override;
    std::unique_ptr<UnitLink> link(const std::string& serialNumber) override;

private:
    std::unique_ptr<D2xxLibrary> makeLibrary() const;

    std::string portPath_;
    std::unique_ptr<D2xxLibrary> lister_;
};

} // namespace qolmex::cli
