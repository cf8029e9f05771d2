#pragma once

#include "UnitAccess.h"
#include "sim/UnitFaults.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qolmex {
class Clock;
class VirtualUnit;
} // namespace qolmex

namespace qolmex::cli {

// Virtual units in place of bridges, each with a clock of its own: paced in real time at
// 9600 baud for the user, on a virtual clock for tests. In production mode a unit that has
// been programmed is taken away and the next one (a fresh serial number) put in its place,
// as an installer would swap them.
class VirtualAccess : public UnitAccess {
public:
    enum class Timing { RealTime, Virtual };

    explicit VirtualAccess(Timing timing = Timing::RealTime);
    ~VirtualAccess() override;

    // A memory file may be missing (the unit starts empty), or a whole memory image.
    static bool isMemoryFile(const std::string& path);

    // The memory is loaded from the file when it exists and written back by finish().
    VirtualUnit& addUnit(const std::string& serialNumber, UnitFaults faults = {},
                         const std::string& memoryFile = {});
    // After a link to a unit is released, it leaves and a unit with the next serial
    // number (and the same faults) arrives, as long as fewer than this many have been used.
    void replaceUsedUnits(unsigned total) { replaceUpTo_ = total; }

    VirtualUnit& unit(std::size_t index);
    std::size_t unitCount() const;

    std::vector<BridgeEntry> listBridges() override;
    std::unique_ptr<UnitLink> link(const BridgeEntry& bridge) override;
    std::string finish() override;

private:
    struct Slot;
    class Link;
    void released(Slot& slot);

    Timing timing_;
    mutable std::mutex mutex_; // the slot list; each unit itself is used by one thread only
    std::vector<std::unique_ptr<Slot>> slots_;
    unsigned replaceUpTo_ = 0;
    unsigned made_ = 0;
};

} // namespace qolmex::cli
