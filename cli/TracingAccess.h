#pragma once

#include "UnitAccess.h"

#include <fstream>
#include <memory>
#include <string>

namespace qolmex::cli {

// --trace FILE: every D2XX call of every link into the trace file. Production mode talks to
// several units at once, so there each unit gets a file of its own, named after FILE with the
// unit's serial number before its extension (trace-A10XYZ.txt).
class TracingAccess : public UnitAccess {
public:
    // Throws UsageError when the file cannot be written; in production mode the files come
    // with their units.
    TracingAccess(std::unique_ptr<UnitAccess> inner, std::string path, bool filePerUnit);
    ~TracingAccess() override;

    // The file of the unit on this bridge in production mode: named by its serial number,
    // else by its port or place on the bus.
    static std::string unitPath(const std::string& path, const BridgeEntry& bridge);

    std::vector<BridgeEntry> listBridges() override { return inner_->listBridges(); }
    bool listingFailed() const override { return inner_->listingFailed(); }
    std::unique_ptr<UnitLink> link(const BridgeEntry& bridge) override;
    std::string finish() override { return inner_->finish(); }
    void conclude(CommandContext& context) override { inner_->conclude(context); }

private:
    class Link;

    std::unique_ptr<UnitAccess> inner_;
    std::string path_;
    bool filePerUnit_;
    std::ofstream file_; // the one file, when not one per unit
};

} // namespace qolmex::cli
