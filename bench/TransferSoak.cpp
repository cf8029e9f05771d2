// Soak: 1,000 Sends and Reads against the virtual unit on its virtual clock, each with a
// random fault at a random moment and a user who may press Storno. Every transfer must end
// as its fault says, with the window usable again; after a successful Send the unit holds
// the image exactly, after a successful Read the record holds the unit's configuration; and
// the heap must not grow from the first hundred transfers to the last.
//
//     build-core/bench/qolmex70-soak [transfers, default 1000] [seed, default 70]
//
// Exit status 0 when every transfer ended as expected and memory stayed flat.
#include "SoakScenario.h"
#include "sim/DemoConfiguration.h"
#include "sim/RandomConfiguration.h"
#include "sim/RecordingDialog.h"
#include "sim/VirtualHost.h"
#include "sim/VirtualUnit.h"
#include "transfer/ClockBlock.h"
#include "transfer/ConfigurationValidator.h"
#include "transfer/ReadSequence.h"
#include "transfer/SendSequence.h"
#include "transfer/TransferTexts.h"
#include "usb/DeviceConnection.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <map>
#include <optional>
#include <random>
#include <string>

using namespace qolmex;
using namespace qolmex::soak;

namespace {

constexpr std::size_t heapGrowthLimit = 64 * 1024;
constexpr auto hangLimit = std::chrono::hours(6); // of virtual time, far past any way to end

struct Result {
    Outcome outcome = Outcome::Other;
    std::string problem; // empty when everything held
};

Outcome outcomeOf(const std::vector<std::string>& messages) {
    std::optional<std::string> told;
    for (const std::string& m : messages)
        if (m != DeviceConnection::msgResetError) {
            if (told)
                return Outcome::Other; // two messages for one transfer
            told = m;
        }
    if (!told)
        return Outcome::Success;
    if (*told == texts::wrongUnit)
        return Outcome::WrongUnit;
    if (*told == texts::unitStopped)
        return Outcome::UnitStopped;
    if (*told == texts::unplugged)
        return Outcome::Unplugged;
    if (*told == DeviceConnection::msgNotConnected)
        return Outcome::NotConnected;
    if (*told == DeviceConnection::msgWrongDevice)
        return Outcome::WrongDevice;
    return Outcome::Other;
}

bool imageBlock(std::size_t offset) {
    return offset / blockSize * blockSize != 3040 && offset / blockSize * blockSize != 3056;
}

Result runOne(const Scenario& scenario, std::mt19937& random, RandomConfiguration& configs) {
    VirtualClock clock;
    VirtualUnit unit(clock, scenario.faults);
    TransferState state;
    VirtualHost host(clock, state);
    RecordingDialog dialog(state, host);
    DeviceConnection connection(unit, state,
                                [&host](const std::string& m) { host.showMessage(m); });

    // The unit holds something else before a Send, a configuration of its own before a Read.
    const Configuration sent = configs.make();
    const Configuration held = configs.make();
    if (scenario.direction == Direction::Send) {
        std::string junk(VirtualUnit::memorySize, '\0');
        for (char& c : junk)
            c = static_cast<char>(random());
        unit.preloadMemory(0, junk);
    } else {
        storeInUnit(held, unit);
    }
    const VirtualUnit::Memory before = unit.memory();

    bool pressed = false;
    bool hung = false;
    std::optional<Clock::TimePoint> offeredSince;
    host.onPump = [&] {
        if (clock.now() > hangLimit) {
            hung = true;
            state.DeviceConnected = false; // let the loops out so the report can say so
            state.BlockConfirmed = true;
        }
        if (!dialog.stornoOffered()) {
            offeredSince.reset();
            return;
        }
        if (!offeredSince)
            offeredSince = clock.now();
        if (host.pumps == scenario.stornoAtPump ||
            clock.now() - *offeredSince >= scenario.stornoAfter) {
            pressed = true;
            dialog.btnCancelClick();
        }
    };

    Configuration read;
    const LocalDateTime when{2026, 12, 8, 14, 30};
    if (scenario.direction == Direction::Send)
        SendSequence(state, connection, dialog, host, [&when] { return when; }).run(sent);
    else
        ReadSequence(state, connection, dialog, host).run(read);

    Result r;
    r.outcome = outcomeOf(host.messages);
    if (r.outcome == Outcome::Success && pressed)
        r.outcome = Outcome::Cancelled; // a silent end after Storno

    if (hung)
        r.problem = "never ended";
    else if (dialog.visible || !host.mainEnabled || state.DeviceConnected || state.UsbDevice ||
             unit.isOpen())
        r.problem = "not idle afterwards";
    else if (r.outcome != scenario.expected &&
             !(scenario.stornoAtPump && pressed &&
               (r.outcome == Outcome::Cancelled || r.outcome == Outcome::WrongUnit)))
        r.problem = std::string("expected ") + outcomeName(scenario.expected);
    else if (scenario.direction == Direction::Send && r.outcome == Outcome::Success) {
        const VirtualUnit::Memory image = unitMemoryOf(sent);
        for (std::size_t i = 0; i < image.size() && r.problem.empty(); ++i)
            if (unit.memory()[i] != (imageBlock(i) ? image[i] : before[i]))
                r.problem = "the unit does not hold the image at " + std::to_string(i);
        if (!unit.clockBlockWritten() || unit.clockBlock() != clockBlock(when).data)
            r.problem = "the clock block did not land";
    } else if (scenario.direction == Direction::Read && r.outcome == Outcome::Success) {
        // Lists that come downwards keep only position 1: each later position was set while
        // the one before it was still empty, and the list rule emptied it.
        Configuration expected(held);
        if (scenario.faults.framesOutOfOrder)
            for (const NumberList& list : numberLists)
                expected.setText(expected.position(list.id, 2), "");
        if (!(read == expected))
            r.problem = "the record does not hold what the unit holds";
    } else if (r.outcome == Outcome::Cancelled && scenario.direction == Direction::Send &&
               unit.memory() != before)
        r.problem = "a cancelled Send changed the unit";
    return r;
}

std::size_t heapInUse() {
    return mallinfo2().uordblks;
}

} // namespace

int main(int argc, char** argv) {
    const int transfers = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 70;
    std::mt19937 random(seed);
    RandomConfiguration configs(seed);

    std::map<std::string, std::array<int, outcomeCount>> counts; // per direction and fault
    std::array<int, outcomeCount> totals{};
    int asExpected = 0;
    std::size_t heapAfterFirst = 0;
    const auto start = std::chrono::steady_clock::now();

    for (int i = 0; i < transfers; ++i) {
        const Scenario scenario =
            randomScenario(i % 2 == 0 ? Direction::Send : Direction::Read, random);
        const Result r = runOne(scenario, random, configs);
        const char* direction = scenario.direction == Direction::Send ? "Send" : "Read";
        ++counts[std::string(direction) + ", " + scenario.fault][static_cast<int>(r.outcome)];
        ++totals[static_cast<int>(r.outcome)];
        if (r.problem.empty())
            ++asExpected;
        else
            std::printf("transfer %d (%s, %s): %s, %s\n", i + 1, direction, scenario.fault.c_str(),
                        outcomeName(r.outcome), r.problem.c_str());
        if (i + 1 == std::min(100, transfers))
            heapAfterFirst = heapInUse();
    }
    const std::size_t heapAtEnd = heapInUse();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("%-36s", "transfer, fault");
    for (int o = 0; o < outcomeCount; ++o)
        if (totals[o] > 0)
            std::printf(" %12.12s", outcomeName(static_cast<Outcome>(o)));
    std::printf("\n");
    for (const auto& [name, row] : counts) {
        std::printf("%-36s", name.c_str());
        for (int o = 0; o < outcomeCount; ++o)
            if (totals[o] > 0)
                std::printf(" %12d", row[o]);
        std::printf("\n");
    }
    std::printf("%-36s", "all");
    for (int o = 0; o < outcomeCount; ++o)
        if (totals[o] > 0)
            std::printf(" %12d", totals[o]);
    std::printf("\n\n");

    const long growth = static_cast<long>(heapAtEnd) - static_cast<long>(heapAfterFirst);
    const bool flat = growth < static_cast<long>(heapGrowthLimit);
    std::printf("heap in use after the first 100: %zu bytes, after the last: %zu bytes (%+ld)%s\n",
                heapAfterFirst, heapAtEnd, growth, flat ? "" : "  GROWS");
    std::printf("%.1f s of real time\n", seconds);
    std::printf("%d of %d ended as expected\n", asExpected, transfers);
    return asExpected == transfers && flat ? 0 : 1;
}
