// Save over any existing content: what was saved opens back to the same record, and every
// line of the old content that holds no entry of ours is still there, in its order.
#include "FuzzChecks.h"
#include "config/AsciiCase.h"
#include "config/ConfigurationFile.h"
#include "config/ProfileLine.h"
#include "sim/DemoConfiguration.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

using namespace qolmex;

namespace {

std::vector<std::string_view> linesOf(std::string_view bytes) {
    std::vector<std::string_view> lines;
    forEachLine(bytes,
                [&lines](std::string_view line, std::string_view) { lines.push_back(line); });
    return lines;
}

const std::unordered_set<std::string>& ourKeys() {
    static const std::unordered_set<std::string> keys = [] {
        std::unordered_set<std::string> k;
        for (const FieldDef& def : fieldTable())
            k.insert(lowerAscii(def.name));
        return k;
    }();
    return keys;
}

bool isForeign(std::string_view line) {
    const ProfileLine parsed = ProfileLine::parse(line);
    return parsed.kind != ProfileLine::Kind::Entry || !ourKeys().contains(lowerAscii(parsed.name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input is the old file itself; its length picks the record saved over it: a fresh
    // one, or one with something in every group.
    const Configuration saved = size % 2 ? demoConfiguration() : Configuration();
    const std::string_view old(reinterpret_cast<const char*>(data), size);

    const std::string written = ConfigurationFile::render(saved, old);

    Configuration opened;
    ConfigurationFile::loadContent(
        opened, [&written](const ConfigurationFile::ContentSink& sink) { sink(written); });
    fuzz::require(opened == saved, "the saved record does not open back");

    const std::vector<std::string_view> now = linesOf(written);
    std::size_t next = 0;
    for (const std::string_view line : linesOf(old)) {
        if (!isForeign(line))
            continue;
        while (next < now.size() && now[next] != line)
            ++next;
        fuzz::require(next < now.size(), "a foreign line was lost or moved");
        ++next;
    }
    return 0;
}
