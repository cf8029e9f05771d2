#include "sim/ReplayScript.h"

#include "sim/VirtualUnit.h"

#include <algorithm>
#include <optional>

namespace qolmex::replay {
namespace {

using trace::Event;

Clock::Duration span(double fromMs, double toMs) {
    const std::chrono::duration<double, std::milli> ms(std::max(0.0, toMs - fromMs));
    return std::chrono::duration_cast<Clock::Duration>(ms);
}

bool isClockFrame(const std::string& bytes) {
    constexpr std::size_t frameSize = 18;
    return bytes.size() == frameSize &&
           static_cast<std::uint8_t>(bytes[0]) == VirtualUnit::clockBlockAddress >> 8 &&
           static_cast<std::uint8_t>(bytes[1]) == (VirtualUnit::clockBlockAddress & 0xFF);
}

// What one connection of the trace is, built event by event.
class ConnectionBuilder {
public:
    ConnectionBuilder(Connection& connection, double openedMs)
        : c_(connection), anchorMs_(openedMs), lastMs_(openedMs) {}

    void write(const Event& e) {
        if (e.status != FT_OK)
            c_.answers.push_back(
                {c_.sent.size(), span(anchorMs_, e.ms), {}, e.status, true, e.line});
        c_.writes.emplace_back(c_.sent.size(), e.line);
        if (isClockFrame(e.bytes))
            c_.timeOfDay.emplace_back(c_.sent.size() + 2, c_.sent.size() + e.bytes.size());
        c_.sent += e.bytes.substr(0, e.done);
        if (e.done > 0)
            anchorMs_ = e.ms;
        lastMs_ = e.ms;
    }

    // A read that waited out its time-out got its bytes some time within its wait; the middle
    // of it keeps them apart from the reads before and after it.
    void read(const Event& e) {
        if (e.status != FT_OK) {
            c_.answers.push_back(
                {c_.sent.size(), span(anchorMs_, e.ms), {}, e.status, false, e.line});
        } else if (e.done > 0) {
            const double arrivedMs = e.done == e.wanted ? e.ms : (lastMs_ + e.ms) / 2;
            c_.answers.push_back(
                {c_.sent.size(), span(anchorMs_, arrivedMs), e.bytes, FT_OK, false, e.line});
        }
        lastMs_ = e.ms;
    }

    void call(const Event& e) {
        c_.calls.push_back({&e});
        lastMs_ = e.ms;
    }

private:
    Connection& c_;
    double anchorMs_;
    double lastMs_;
};

} // namespace

std::size_t Connection::lineOfByte(std::size_t offset) const {
    auto after = std::upper_bound(writes.begin(), writes.end(), offset,
                                  [](std::size_t o, const auto& w) { return o < w.first; });
    return after == writes.begin() ? openLine : std::prev(after)->second;
}

bool Connection::isTimeOfDay(std::size_t offset) const {
    return std::any_of(timeOfDay.begin(), timeOfDay.end(), [offset](const auto& range) {
        return offset >= range.first && offset < range.second;
    });
}

Script compile(std::vector<trace::Event> events) {
    Script script;
    script.events = std::move(events);
    // Connections are reserved up front: builders keep references into them.
    script.connections.reserve(static_cast<std::size_t>(
        std::count_if(script.events.begin(), script.events.end(), [](const Event& e) {
            return e.kind == Event::Kind::Open && e.status == FT_OK;
        })));
    std::optional<ConnectionBuilder> open;
    for (const Event& e : script.events) {
        switch (e.kind) {
        case Event::Kind::Open:
            script.opens.push_back({&e});
            if (e.status != FT_OK)
                break;
            script.opens.back().connection = static_cast<int>(script.connections.size());
            script.connections.emplace_back().openLine = e.line;
            open.emplace(script.connections.back(), e.ms);
            break;
        case Event::Kind::Close:
            if (open)
                script.connections.back().closeStatus = e.status;
            open.reset();
            break;
        case Event::Kind::Write:
            if (open)
                open->write(e);
            break;
        case Event::Kind::Read:
            if (open)
                open->read(e);
            break;
        case Event::Kind::Verdict:
            script.verdicts.push_back(&e);
            break;
        default:
            if (open)
                open->call(e);
            break;
        }
    }
    return script;
}

} // namespace qolmex::replay
