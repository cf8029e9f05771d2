#pragma once
// The text form of a trace: one line per D2XX call, readable by a person on the phone with
// support and by the replay. A line starts with the milliseconds since the trace's first open,
// then the call, or the direction of the bytes (> to the unit, < from it) with the bytes
// moved and wanted, a status other than FT_OK, and the bytes in hex and as text:
//
//       412.031 < 16/16 06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 |................|
//       912.344 < 0/18 time-out
//         0.020 FT_SetBaudRate 9600 -> FT_OK
//      9100.500 verdict ok
//
// Lines starting with # are comments.

#include "usb/D2xxLibrary.h"

#include <chrono>
#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qolmex::trace {

inline constexpr const char* header =
    "# QOLMEX 70 trace 1: ms since the first open; > to the unit, < from it, bytes moved/wanted\n";

struct Event {
    enum class Kind { Open, Close, Call, DeviceInfo, QueueStatus, Write, Read, Verdict };

    Kind kind = Kind::Call;
    double ms = 0;
    std::size_t line = 0;  // in the file, from 1; 0 for an event not read from one
    std::string call;      // the D2XX function, for every kind but Write, Read and Verdict
    std::string arguments; // as written: "9600", "description \"FT232R USB UART\""
    FT_STATUS status = FT_OK;
    DWORD done = 0;    // bytes written or read; the count of FT_GetQueueStatus
    DWORD wanted = 0;  // bytes the program asked to write or read
    std::string bytes; // Write: every byte asked to go out; Read: the bytes that came
    FT_DEVICE type = FT_DEVICE_UNKNOWN; // DeviceInfo, when it succeeded
    DWORD id = 0;
    std::string serialNumber;
    std::string description;
    std::string verdict; // Verdict: "ok" or the program's message, UTF-8
};

// The arguments of a call as a trace shows them; a location is a number, never read as text.
std::string openArguments(PVOID key, DWORD flags);
std::string dataCharacteristicsArguments(UCHAR wordLength, UCHAR stopBits, UCHAR parity);
std::string flowControlArguments(USHORT flowControl, UCHAR xon, UCHAR xoff);
std::string timeoutsArguments(ULONG readMs, ULONG writeMs);
std::string formatLine(const Event& event); // with its line end

struct ParsedTrace {
    std::vector<Event> events;
    std::string error; // the first line that is not a trace line, in Slovak; empty when none
};
ParsedTrace parse(std::istream& in);

// Pieces of a line, for whoever shows a trace's bytes elsewhere.
std::string statusName(FT_STATUS status);
std::string hexAndText(std::string_view bytes); // "51 4F |QO|"
std::string quoted(std::string_view text);      // "\"a\\\"b\"", bytes outside ASCII as \xHH
// A verdict as its line holds it: a message of several lines becomes one.
std::string singleLine(std::string_view text);

} // namespace qolmex::trace
