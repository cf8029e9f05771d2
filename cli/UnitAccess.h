#pragma once

#include "usb/BridgeEntry.h"
#include "usb/D2xxLibrary.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace qolmex::cli {

struct CommandContext;

// One thread's way to a unit: a D2XX library of its own (backend chains keep no locks, so
// threads never share one) and the clock its waits run on.
class UnitLink {
public:
    virtual ~UnitLink() = default;
    virtual D2xxLibrary& library() = 0;
    virtual std::chrono::milliseconds now() = 0;
    // The same clock as it stands, without the cost a look through now() may charge: for
    // the time stamps of a trace, which must not change the timing they record.
    virtual std::chrono::nanoseconds stamp() {
        return std::chrono::steady_clock::now().time_since_epoch();
    }
};

// Where units come from: the real bridges, one named port, or virtual units.
class UnitAccess {
public:
    virtual ~UnitAccess() = default;
    // Every bridge attached now. Called from one thread only.
    virtual std::vector<BridgeEntry> listBridges() = 0;
    // Whether the last list may lack bridges that are attached, since the system could not
    // be asked for all of them.
    virtual bool listingFailed() const { return false; }
    // A link to exactly this bridge of the list (an empty entry: the first with the unit's
    // description); Connect on it is to select the same bridge. Links may be made and used
    // on any thread, one thread each.
    virtual std::unique_ptr<UnitLink> link(const BridgeEntry& bridge) = 0;
    // The command is over: a virtual unit keeps its memory now. Why that failed, in the
    // user's language; empty when it did not.
    virtual std::string finish() { return {}; }
    // And its report is made: whatever the access noticed goes into it (a replay's differences).
    virtual void conclude(CommandContext&) {}
};

// Lends another access's units to a command that would own its access, so the lender can
// look at them afterwards (tests, benchmarks).
class BorrowedAccess : public UnitAccess {
public:
    explicit BorrowedAccess(UnitAccess& lender) : lender_(lender) {}
    std::vector<BridgeEntry> listBridges() override { return lender_.listBridges(); }
    bool listingFailed() const override { return lender_.listingFailed(); }
    std::unique_ptr<UnitLink> link(const BridgeEntry& bridge) override {
        return lender_.link(bridge);
    }

private:
    UnitAccess& lender_;
};

} // namespace qolmex::cli
