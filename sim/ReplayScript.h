#pragma once
// A trace turned into what the unit did in it, connection by connection (an FT_OpenEx that
// succeeded, up to its FT_Close). Within one, each answer of the unit is tied to how many
// bytes the PC had written before it came, and to how long after the last of them (or after
// the open), so that it can be played to a program whose timing is not quite the trace's.

#include "sim/Clock.h"
#include "usb/TraceFormat.h"

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace qolmex::replay {

struct Answer {
    std::size_t after = 0;     // bytes the PC had written in this connection before it
    Clock::Duration delay{};   // from the write that brought that count (or the open)
    std::string bytes;         // what the unit sent
    FT_STATUS failure = FT_OK; // not FT_OK: the line failed here, and stays failed
    bool atWrite = false;      // the failure came with the PC's next write, not with time
    std::size_t line = 0;
};

struct Call {
    const trace::Event* event;
    bool used = false;
};

struct Connection {
    std::size_t openLine = 0;
    std::string sent;                                        // every byte the PC wrote, in order
    std::vector<std::pair<std::size_t, std::size_t>> writes; // where each write began, its line
    // Data bytes of the clock block: the PC's time of day, which no replay can match.
    std::vector<std::pair<std::size_t, std::size_t>> timeOfDay;
    std::vector<Answer> answers;
    std::vector<Call> calls; // settings, device information, queue status, in order
    FT_STATUS closeStatus = FT_OK;

    std::size_t lineOfByte(std::size_t offset) const;
    bool isTimeOfDay(std::size_t offset) const;
};

struct Open {
    const trace::Event* event;
    int connection = -1; // index into Script::connections when the open succeeded
};

// Points into its own events: moved, never copied.
struct Script {
    Script() = default;
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;
    Script(Script&&) = default;
    Script& operator=(Script&&) = default;

    std::vector<trace::Event> events;
    std::vector<Open> opens;
    std::vector<Connection> connections;
    std::vector<const trace::Event*> verdicts;
};

Script compile(std::vector<trace::Event> events);

} // namespace qolmex::replay
