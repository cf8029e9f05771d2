#pragma once
// What can go wrong with the virtual unit, each switchable on its own, and how
// it paces its bytes. Everything off means a healthy unit that answers at once.
// Frames and blocks are counted from the last open.

#include "sim/Clock.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace qolmex {

struct UnitFaults {
    bool noDevice = false;        // nothing with our description is attached
    bool wrongDeviceType = false; // the bridge reports an FT232BM (code 0)
    bool openFails = false;       // only every other FT_OpenEx succeeds: the probe does, the open for use not
    // After N successful opens another program holds the bridge: every open fails.
    std::optional<unsigned> takenAfterOpens{};
    bool deviceInfoFails = false;
    bool resetFails = false;
    bool silence = false;         // sends nothing at all, ever
    bool wrongIdentity = false;   // says "QOLMEX60" instead of "QOLMEX70"
    bool noStartAnswer = false;   // ignores the start bytes 0xAA and 0x60

    unsigned corruptEchoEvery = 0; // echo of every Nth block has one wrong byte, on the first try only
    unsigned shortEchoEvery = 0;   // echo of every Nth block lacks its last byte, on the first try only

    std::optional<unsigned> splitFrame{};        // the Nth frame sent (from 1) comes in two halves 700 ms apart
    std::optional<unsigned> stallAfterFrames{};  // after N frames (echoes or sent frames) answers nothing more
    std::optional<unsigned> unplugAfterFrames{}; // after N frames the next write finds the cable gone; every call fails

    bool framesOutOfOrder = false;                   // blocks below 3072 come downwards, then the SMS areas upwards
    std::optional<std::uint16_t> strayFrameAddress{};  // one extra frame at this address, second in the read-out
    bool blankMemory = false;                        // the read-out carries 0xFF everywhere (erased memory)
};

// Real-time behaviour: with a RealClock this is the demo's real-time mode; with
// a VirtualClock the same timing is only counted, never waited for.
struct UnitPacing {
    bool atBaudRate = false; // 10 bits a byte at the line's rate
    // The bridge's latency timer after power-up; FT_SetLatencyTimer lowers it for the open.
    // The chip hands its received bytes on at each tick of it.
    Clock::Duration receiveLatency = std::chrono::milliseconds(16);
    // False: a vendor library too old to have FT_SetLatencyTimer.
    bool latencyTimerCall = true;
    // Played as the kernel's serial driver rather than the vendor library: the driver's
    // low-latency flag gives 1 ms from the open and FT_SetLatencyTimer is not there; every
    // close hangs the tty up (DTR and RTS drop), counted in VirtualUnit::hangUps().
    bool serialDriver = false;
};

} // namespace qolmex
