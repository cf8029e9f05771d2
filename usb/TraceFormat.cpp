#include "usb/TraceFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace qolmex::trace {
namespace {

struct NamedStatus {
    FT_STATUS status;
    const char* name;
};

constexpr NamedStatus statusNames[] = {
    {FT_OK, "FT_OK"},
    {FT_INVALID_HANDLE, "FT_INVALID_HANDLE"},
    {FT_DEVICE_NOT_FOUND, "FT_DEVICE_NOT_FOUND"},
    {FT_DEVICE_NOT_OPENED, "FT_DEVICE_NOT_OPENED"},
    {FT_IO_ERROR, "FT_IO_ERROR"},
    {FT_INSUFFICIENT_RESOURCES, "FT_INSUFFICIENT_RESOURCES"},
    {FT_INVALID_PARAMETER, "FT_INVALID_PARAMETER"},
    {FT_INVALID_BAUD_RATE, "FT_INVALID_BAUD_RATE"},
    {FT_NOT_SUPPORTED, "FT_NOT_SUPPORTED"},
    {FT_OTHER_ERROR, "FT_OTHER_ERROR"},
};
constexpr const char* otherStatusPrefix = "FT_STATUS_";
constexpr const char* timeOut = "time-out";

std::optional<FT_STATUS> statusFromName(std::string_view name) {
    for (const NamedStatus& s : statusNames)
        if (name == s.name)
            return s.status;
    const std::string_view prefix = otherStatusPrefix;
    if (name.substr(0, prefix.size()) != prefix || name.size() == prefix.size())
        return std::nullopt;
    FT_STATUS value = 0;
    for (char c : name.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<FT_STATUS>(c - '0');
    }
    return value;
}

const char* kindWord(Event::Kind kind) {
    return kind == Event::Kind::Write ? ">" : "<";
}

// Reads a line piece by piece; every step says whether it found what it wanted.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool atEnd() {
        skipSpaces();
        return pos_ >= text_.size();
    }
    std::string_view word() {
        skipSpaces();
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ' ')
            ++pos_;
        return text_.substr(start, pos_ - start);
    }
    std::string_view peekWord() {
        const std::size_t saved = pos_;
        const std::string_view w = word();
        pos_ = saved;
        return w;
    }
    std::string_view rest() {
        skipSpaces();
        const std::string_view r = text_.substr(pos_);
        pos_ = text_.size();
        return r;
    }
    bool number(double& value) {
        const std::string w(word());
        char* end = nullptr;
        value = std::strtod(w.c_str(), &end);
        return !w.empty() && end == w.c_str() + w.size();
    }
    bool unsignedNumber(DWORD& value, int base = 10) {
        const std::string w(word());
        char* end = nullptr;
        const unsigned long v = std::strtoul(w.c_str(), &end, base);
        value = static_cast<DWORD>(v);
        return !w.empty() && w[0] != '-' && end == w.c_str() + w.size() && v <= 0xFFFFFFFFul;
    }
    bool counts(DWORD& done, DWORD& wanted) {
        const std::string_view w = word();
        const std::size_t slash = w.find('/');
        if (slash == std::string_view::npos)
            return false;
        LineReader a(w.substr(0, slash));
        LineReader b(w.substr(slash + 1));
        return a.unsignedNumber(done) && b.unsignedNumber(wanted) && done <= wanted;
    }
    bool quotedText(std::string& value) {
        skipSpaces();
        if (pos_ >= text_.size() || text_[pos_] != '"')
            return false;
        value.clear();
        for (++pos_; pos_ < text_.size(); ++pos_) {
            char c = text_[pos_];
            if (c == '"') {
                ++pos_;
                return true;
            }
            if (c == '\\' && pos_ + 1 < text_.size()) {
                c = text_[++pos_];
                if (c == 'x' && pos_ + 2 < text_.size()) {
                    DWORD v = 0;
                    LineReader hex(text_.substr(pos_ + 1, 2));
                    if (!hex.unsignedNumber(v, 16))
                        return false;
                    c = static_cast<char>(v);
                    pos_ += 2;
                }
            }
            value += c;
        }
        return false;
    }
    // Two-digit hex bytes up to the text part in bars, which only a person reads.
    bool hexBytes(std::string& value) {
        while (!atEnd() && peekWord()[0] != '|') {
            const std::string_view w = word();
            DWORD v = 0;
            LineReader hex(w);
            if (w.size() != 2 || !hex.unsignedNumber(v, 16))
                return false;
            value += static_cast<char>(v);
        }
        rest();
        return true;
    }

private:
    void skipSpaces() {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool parseBytesLine(LineReader& in, Event& e) {
    if (!in.counts(e.done, e.wanted))
        return false;
    const std::string_view next = in.peekWord();
    if (next == timeOut) {
        in.word();
    } else if (const auto status = statusFromName(next)) {
        e.status = *status;
        in.word();
    }
    return in.hexBytes(e.bytes) && (e.kind == Event::Kind::Write || e.bytes.size() == e.done) &&
           (e.kind == Event::Kind::Read || e.bytes.size() == e.wanted);
}

bool parseDeviceInfo(LineReader& in, Event& e) {
    DWORD type = 0;
    if (e.status != FT_OK)
        return in.atEnd();
    if (in.word() != "type" || !in.unsignedNumber(type) || in.word() != "id" ||
        !in.unsignedNumber(e.id, 16) || in.word() != "serial" || !in.quotedText(e.serialNumber) ||
        in.word() != "description" || !in.quotedText(e.description))
        return false;
    e.type = type;
    return in.atEnd();
}

bool parseCallLine(std::string_view call, std::string_view afterCall, Event& e) {
    const std::size_t arrow = afterCall.rfind("-> ");
    if (arrow == std::string_view::npos)
        return false;
    e.call = call;
    e.arguments = LineReader(afterCall.substr(0, arrow)).rest();
    while (!e.arguments.empty() && e.arguments.back() == ' ')
        e.arguments.pop_back();
    LineReader result(afterCall.substr(arrow + 3));
    const auto status = statusFromName(result.word());
    if (!status)
        return false;
    e.status = *status;
    if (call == "FT_GetDeviceInfo") {
        e.kind = Event::Kind::DeviceInfo;
        return parseDeviceInfo(result, e);
    }
    if (call == "FT_GetQueueStatus") {
        e.kind = Event::Kind::QueueStatus;
        return (e.status != FT_OK || result.unsignedNumber(e.done)) && result.atEnd();
    }
    if (call == "FT_OpenEx")
        e.kind = Event::Kind::Open;
    else if (call == "FT_Close")
        e.kind = Event::Kind::Close;
    return result.atEnd();
}

bool parseLine(std::string_view text, Event& e) {
    LineReader in(text);
    if (!in.number(e.ms) || e.ms < 0)
        return false;
    const std::string_view what = in.word();
    if (what == ">" || what == "<") {
        e.kind = what == ">" ? Event::Kind::Write : Event::Kind::Read;
        return parseBytesLine(in, e);
    }
    if (what == "verdict") {
        e.kind = Event::Kind::Verdict;
        e.verdict = in.rest();
        return true;
    }
    if (what.substr(0, 3) != "FT_")
        return false;
    return parseCallLine(what, in.rest(), e);
}

} // namespace

std::string statusName(FT_STATUS status) {
    for (const NamedStatus& s : statusNames)
        if (s.status == status)
            return s.name;
    return otherStatusPrefix + std::to_string(status);
}

std::string hexAndText(std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    std::string text;
    hex.reserve(bytes.size() * 3);
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        hex += digits[b >> 4];
        hex += digits[b & 0xF];
        hex += ' ';
        text += b >= 0x20 && b < 0x7F ? c : '.';
    }
    return hex + "|" + text + "|";
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto b = static_cast<std::uint8_t>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b >= 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string singleLine(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

std::string openArguments(PVOID key, DWORD flags) {
    if (key != nullptr && flags == FT_OPEN_BY_DESCRIPTION)
        return "description " + quoted(static_cast<const char*>(key));
    if (key != nullptr && flags == FT_OPEN_BY_SERIAL_NUMBER)
        return "serial " + quoted(static_cast<const char*>(key));
    constexpr DWORD byLocation = 4; // the key is the location id itself, not a text
    if (flags == byLocation)
        return "location " + std::to_string(reinterpret_cast<std::uintptr_t>(key));
    return "flags " + std::to_string(flags);
}

std::string dataCharacteristicsArguments(UCHAR wordLength, UCHAR stopBits, UCHAR parity) {
    return std::to_string(wordLength) + " " + std::to_string(stopBits) + " " +
           std::to_string(parity);
}

std::string flowControlArguments(USHORT flowControl, UCHAR xon, UCHAR xoff) {
    char arguments[32];
    std::snprintf(arguments, sizeof arguments, "0x%04X 0x%02X 0x%02X", flowControl, xon, xoff);
    return arguments;
}

std::string timeoutsArguments(ULONG readMs, ULONG writeMs) {
    return std::to_string(readMs) + " " + std::to_string(writeMs);
}

std::string formatLine(const Event& e) {
    char time[32];
    std::snprintf(time, sizeof time, "%10.3f ", e.ms);
    std::string line = time;
    switch (e.kind) {
    case Event::Kind::Write:
    case Event::Kind::Read:
        line += kindWord(e.kind);
        line += " " + std::to_string(e.done) + "/" + std::to_string(e.wanted);
        if (e.status != FT_OK)
            line += " " + statusName(e.status);
        else if (e.kind == Event::Kind::Read && e.done < e.wanted)
            line += std::string(" ") + timeOut;
        if (!e.bytes.empty())
            line += " " + hexAndText(e.bytes);
        break;
    case Event::Kind::Verdict:
        line += "verdict " + singleLine(e.verdict);
        break;
    default:
        line += e.call;
        if (!e.arguments.empty())
            line += " " + e.arguments;
        line += " -> " + statusName(e.status);
        if (e.status != FT_OK)
            break;
        if (e.kind == Event::Kind::QueueStatus) {
            line += " " + std::to_string(e.done);
        } else if (e.kind == Event::Kind::DeviceInfo) {
            char id[16];
            std::snprintf(id, sizeof id, "%08X", static_cast<unsigned>(e.id));
            line += " type " + std::to_string(e.type) + " id " + id + " serial " +
                    quoted(e.serialNumber) + " description " + quoted(e.description);
        }
        break;
    }
    return line + "\n";
}

ParsedTrace parse(std::istream& in) {
    ParsedTrace parsed;
    std::string text;
    for (std::size_t number = 1; std::getline(in, text); ++number) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        if (text.find_first_not_of(' ') == std::string::npos || text[0] == '#')
            continue;
        Event event;
        event.line = number;
        if (!parseLine(text, event)) {
            parsed.error = "Záznam komunikácie má na riadku " + std::to_string(number) +
                           " niečo iné než udalosť: " + text;
            break;
        }
        parsed.events.push_back(std::move(event));
    }
    return parsed;
}

} // namespace qolmex::trace
