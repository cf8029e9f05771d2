#include "VirtualAccess.h"

#include "CliTexts.h"
#include "Interrupt.h"
#include "config/FileWriteError.h"
#include "config/Utf8Path.h"
#include "config/WriteFile.h"
#include "sim/Clock.h"
#include "sim/VirtualUnit.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace qolmex::cli {

struct VirtualAccess::Slot {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<VirtualUnit> unit;
    std::string serialNumber;
    UnitFaults faults;
    std::string memoryFile;
    bool present = true;
    bool linked = false;
};

class VirtualAccess::Link : public UnitLink {
public:
    Link(VirtualAccess& owner, Slot& slot) : owner_(owner), slot_(slot) {}
    ~Link() override { owner_.released(slot_); }
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    D2xxLibrary& library() override { return *slot_.unit; }
    // On a virtual clock every look costs a millisecond, as a real pass of a loop does, so
    // a dead line that answers at once still reaches its time limits.
    std::chrono::milliseconds now() override {
        if (auto* virtualClock = dynamic_cast<VirtualClock*>(slot_.clock.get()))
            virtualClock->advance(std::chrono::milliseconds(1));
        return std::chrono::duration_cast<std::chrono::milliseconds>(slot_.clock->now());
    }
    std::chrono::nanoseconds stamp() override { return slot_.clock->now(); }

private:
    VirtualAccess& owner_;
    Slot& slot_;
};

VirtualAccess::VirtualAccess(Timing timing) : timing_(timing) {}

VirtualAccess::~VirtualAccess() = default;

VirtualUnit& VirtualAccess::addUnit(const std::string& serialNumber, UnitFaults faults,
                                    const std::string& memoryFile) {
    auto slot = std::make_unique<Slot>();
    if (timing_ == Timing::RealTime)
        slot->clock = std::make_unique<RealClock>();
    else
        slot->clock = std::make_unique<VirtualClock>();
    UnitPacing pacing;
    pacing.atBaudRate = true;
    slot->unit = std::make_unique<VirtualUnit>(*slot->clock, faults, pacing);
    slot->unit->setSerialNumber(serialNumber);
    slot->serialNumber = serialNumber;
    slot->faults = faults;
    slot->memoryFile = memoryFile;
    if (!memoryFile.empty()) {
        std::ifstream in(utf8Path(memoryFile), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (!bytes.empty())
            slot->unit->preloadMemory(0,
                                      std::string_view(bytes).substr(0, VirtualUnit::memorySize));
    }
    std::lock_guard lock(mutex_);
    ++made_;
    slots_.push_back(std::move(slot));
    return *slots_.back()->unit;
}

VirtualUnit& VirtualAccess::unit(std::size_t index) {
    std::lock_guard lock(mutex_);
    return *slots_.at(index)->unit;
}

std::size_t VirtualAccess::unitCount() const {
    std::lock_guard lock(mutex_);
    return slots_.size();
}

std::vector<BridgeEntry> VirtualAccess::listBridges() {
    std::lock_guard lock(mutex_);
    std::vector<BridgeEntry> bridges;
    for (const auto& slot : slots_)
        if (slot->present && !slot->faults.noDevice)
            bridges.push_back(BridgeEntry{VirtualUnit::description,
                                          slot->serialNumber,
                                          BridgeEntry::viaVendorLibrary,
                                          true,
                                          {}});
    return bridges;
}

std::unique_ptr<UnitLink> VirtualAccess::link(const BridgeEntry& bridge) {
    std::lock_guard lock(mutex_);
    for (const auto& slot : slots_) {
        if (slot->present && !slot->linked &&
            (bridge.serialNumber.empty() || slot->serialNumber == bridge.serialNumber)) {
            slot->linked = true;
            return std::make_unique<Link>(*this, *slot);
        }
    }
    // Nothing there: a link to a unit that is not attached, so Connect finds no bridge.
    auto slot = std::make_unique<Slot>();
    slot->clock = std::make_unique<VirtualClock>();
    slot->unit = std::make_unique<VirtualUnit>(*slot->clock, UnitFaults{.noDevice = true});
    slot->present = false;
    slot->linked = true;
    slots_.push_back(std::move(slot));
    return std::make_unique<Link>(*this, *slots_.back());
}

void VirtualAccess::released(Slot& slot) {
    std::string next;
    {
        std::lock_guard lock(mutex_);
        slot.linked = false;
        if (replaceUpTo_ == 0 || !slot.present)
            return;
        slot.present = false;
        if (made_ >= replaceUpTo_)
            return;
        next = slot.serialNumber.substr(0, slot.serialNumber.find('-')) + "-" +
               std::to_string(made_ + 1);
    }
    addUnit(next, slot.faults);
}

std::string VirtualAccess::finish() {
    InterruptShield whileWriting;
    std::lock_guard lock(mutex_);
    for (const auto& slot : slots_) {
        if (slot->memoryFile.empty())
            continue;
        const auto& memory = slot->unit->memory();
        try {
            writeFile(
                slot->memoryFile,
                std::string_view(reinterpret_cast<const char*>(memory.data()), memory.size()));
        } catch (const FileWriteError& error) {
            return texts::memoryNotKept + std::string(error.what());
        }
    }
    return {};
}

bool VirtualAccess::isMemoryFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(utf8Path(path), error);
    if (status.type() == std::filesystem::file_type::not_found)
        return true;
    return std::filesystem::is_regular_file(status) &&
           std::filesystem::file_size(utf8Path(path), error) == VirtualUnit::memorySize && !error;
}

} // namespace qolmex::cli
