#pragma once

#include "UnitAccess.h"
#include "VirtualAccess.h"

#include <memory>
#include <string>

namespace qolmex {
class Clock;
class ReplayUnit;
} // namespace qolmex

namespace qolmex::cli {

// --virtual-replay=FILE: the unit is the one a trace recorded, answering in the trace's
// timing. When the command is over, every place where it differed from the trace is printed
// on standard error, and a command that went well otherwise ends with "differs".
class ReplayAccess : public UnitAccess {
public:
    // Throws UsageError for a file that cannot be read or is not a trace.
    explicit ReplayAccess(const std::string& path,
                          VirtualAccess::Timing timing = VirtualAccess::Timing::RealTime);
    ~ReplayAccess() override;

    ReplayUnit& unit() { return *unit_; }

    std::vector<BridgeEntry> listBridges() override;
    std::unique_ptr<UnitLink> link(const BridgeEntry& bridge) override;
    void conclude(CommandContext& context) override;

private:
    class Link;

    std::unique_ptr<Clock> clock_;
    std::unique_ptr<ReplayUnit> unit_;
};

} // namespace qolmex::cli
