#include "ReplayAccess.h"

#include "CliTexts.h"
#include "Commands.h"
#include "SupportTexts.h"
#include "UsageError.h"
#include "config/Utf8Path.h"
#include "sim/Clock.h"
#include "sim/ReplayUnit.h"

#include <fstream>

namespace qolmex::cli {

class ReplayAccess::Link : public UnitLink {
public:
    Link(Clock& clock, ReplayUnit& unit) : clock_(clock), unit_(unit) {}
    D2xxLibrary& library() override { return unit_; }
    // As with the virtual unit, a look costs a millisecond on a virtual clock.
    std::chrono::milliseconds now() override {
        if (auto* virtualClock = dynamic_cast<VirtualClock*>(&clock_))
            virtualClock->advance(std::chrono::milliseconds(1));
        return std::chrono::duration_cast<std::chrono::milliseconds>(clock_.now());
    }
    std::chrono::nanoseconds stamp() override { return clock_.now(); }

private:
    Clock& clock_;
    ReplayUnit& unit_;
};

ReplayAccess::ReplayAccess(const std::string& path, VirtualAccess::Timing timing) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in)
        throw UsageError(texts::unreadable + path);
    trace::ParsedTrace parsed = trace::parse(in);
    if (!parsed.error.empty())
        throw UsageError(path + ": " + parsed.error);
    if (timing == VirtualAccess::Timing::RealTime)
        clock_ = std::make_unique<RealClock>();
    else
        clock_ = std::make_unique<VirtualClock>();
    unit_ = std::make_unique<ReplayUnit>(*clock_, std::move(parsed.events));
}

ReplayAccess::~ReplayAccess() = default;

std::vector<BridgeEntry> ReplayAccess::listBridges() {
    return unit_->listBridges();
}

std::unique_ptr<UnitLink> ReplayAccess::link(const BridgeEntry&) {
    return std::make_unique<Link>(*clock_, *unit_);
}

void ReplayAccess::conclude(CommandContext& context) {
    unit_->finish();
    const auto& differences = unit_->differences();
    for (const ReplayUnit::Difference& d : differences)
        context.env.err << texts::replayPrefix << d.text << "\n";
    if (!differences.empty() && context.report.exit == exitOk)
        context.report.fail("differs", exitDiffers, texts::replayDiffers + differences[0].text);
}

} // namespace qolmex::cli
