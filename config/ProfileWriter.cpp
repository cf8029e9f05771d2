#include "ProfileWriter.h"

#include "AsciiCase.h"
#include "ProfileLine.h"

#include <limits>
#include <unordered_set>

namespace qolmex {
namespace {

constexpr std::string_view crlf = "\r\n";
constexpr std::size_t none = std::numeric_limits<std::size_t>::max();

void appendEntry(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append("=").append(value).append(crlf);
}

} // namespace

struct ProfileWriter::Plan {
    std::vector<std::size_t> insertAfterLine; // per section: none when it is not in the file
    std::unordered_map<std::size_t, std::pair<std::size_t, std::size_t>> rewrite; // line -> entry
    std::vector<std::vector<bool>> present; // per section and entry: its key has a line
};

void ProfileWriter::set(std::string_view section, std::string_view key, std::string_view value) {
    const auto [sectionIt, newSection] =
        byLowerSection_.emplace(lowerAscii(section), sections_.size());
    if (newSection)
        sections_.push_back(Section{std::string(section), {}, {}});
    Section& s = sections_[sectionIt->second];
    const std::string_view firstLine = value.substr(0, value.find_first_of(crlf));
    const auto [keyIt, newKey] = s.byLowerKey.emplace(lowerAscii(key), s.entries.size());
    if (newKey)
        s.entries.push_back(Entry{std::string(key), std::string(firstLine)});
    else
        s.entries[keyIt->second].value = std::string(firstLine);
}

ProfileWriter::Plan ProfileWriter::plan(std::string_view old) const {
    Plan p;
    p.insertAfterLine.assign(sections_.size(), none);
    for (const Section& s : sections_)
        p.present.emplace_back(s.entries.size(), false);

    std::unordered_set<std::string> entered;
    std::size_t current = none;
    std::size_t lineNumber = 0;
    forEachLine(old, [&](std::string_view line, std::string_view) {
        const ProfileLine parsed =
            ProfileLine::parse(lineNumber == 0 ? withoutByteOrderMark(line) : line);
        if (parsed.kind == ProfileLine::Kind::Section) {
            current = none;
            const std::string name = lowerAscii(parsed.name);
            const auto it = byLowerSection_.find(name);
            if (it != byLowerSection_.end() && entered.insert(name).second) {
                current = it->second;
                p.insertAfterLine[current] = lineNumber;
            }
        } else if (parsed.kind == ProfileLine::Kind::Entry && current != none) {
            p.insertAfterLine[current] = lineNumber;
            const Section& s = sections_[current];
            const auto it = s.byLowerKey.find(lowerAscii(parsed.name));
            if (it != s.byLowerKey.end() && !p.present[current][it->second]) {
                p.present[current][it->second] = true;
                p.rewrite.emplace(lineNumber, std::make_pair(current, it->second));
            }
        }
        ++lineNumber;
    });
    return p;
}

std::string ProfileWriter::apply(std::string_view old) const {
    const Plan p = plan(old);
    std::unordered_map<std::size_t, std::size_t> insertions; // line -> section
    for (std::size_t s = 0; s < sections_.size(); ++s)
        if (p.insertAfterLine[s] != none)
            insertions.emplace(p.insertAfterLine[s], s);

    const auto appendMissing = [&](std::string& out, std::size_t s) {
        for (std::size_t e = 0; e < sections_[s].entries.size(); ++e)
            if (!p.present[s][e])
                appendEntry(out, sections_[s].entries[e].key, sections_[s].entries[e].value);
    };

    std::string out;
    out.reserve(old.size() + 64 * 1024);
    std::size_t lineNumber = 0;
    forEachLine(old, [&](std::string_view line, std::string_view ending) {
        const auto rewrite = p.rewrite.find(lineNumber);
        const auto insertion = insertions.find(lineNumber);
        if (rewrite != p.rewrite.end()) {
            // The key keeps the spelling it has in the file.
            const auto [s, e] = rewrite->second;
            appendEntry(out, ProfileLine::parse(line).name, sections_[s].entries[e].value);
        } else {
            out.append(line);
            // A last line without an end gets one when something follows it.
            out.append(ending.empty() && insertion != insertions.end() ? crlf : ending);
        }
        if (insertion != insertions.end())
            appendMissing(out, insertion->second);
        ++lineNumber;
    });

    for (std::size_t s = 0; s < sections_.size(); ++s) {
        if (p.insertAfterLine[s] != none)
            continue;
        if (!out.empty() && out.back() != '\n')
            out.append(crlf);
        out.append("[").append(sections_[s].name).append("]").append(crlf);
        appendMissing(out, s);
    }
    return out;
}

} // namespace qolmex
