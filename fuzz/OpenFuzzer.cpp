// Open of any bytes: the record keeps its rules, and the pieces in which the file's content
// arrives make no difference to what is read.
#include "FuzzChecks.h"
#include "config/ConfigurationFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace qolmex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The input is the file itself; its length picks the size of the pieces.
    const std::size_t piece = 1 + size % 61;
    const std::string_view content(reinterpret_cast<const char*>(data), size);

    Configuration whole;
    ConfigurationFile::loadContent(
        whole, [content](const ConfigurationFile::ContentSink& sink) { sink(content); });
    Configuration pieces;
    ConfigurationFile::loadContent(pieces, [&](const ConfigurationFile::ContentSink& sink) {
        for (std::size_t at = 0; at < content.size(); at += piece)
            sink(content.substr(at, piece));
    });

    fuzz::requireRecordRules(whole);
    fuzz::require(whole == pieces, "the content read in pieces differs from the whole");
    return 0;
}
