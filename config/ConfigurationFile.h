#pragma once

#include "Configuration.h"
#include "FileWriteError.h"

#include <functional>
#include <string>
#include <string_view>

namespace qolmex {

// The .kvx file: every field of the configuration as one entry of a sectioned text file,
// in the order and under the sections and keys of the field table.
class ConfigurationFile {
public:
    // Writes every entry into the file, keeping every line of an existing file that holds no
    // entry of ours. The new content replaces the old in one step, so a failure leaves the old
    // file exactly as it was; it throws FileWriteError carrying the full file name.
    static void save(const Configuration& configuration, const std::string& path);

    // Sets every field from the file, in table order. Never fails: whatever cannot be read
    // (no such file, a folder, no permission, foreign content) sets the field empty, and no
    // polarity button is chosen without an entry for it.
    static void load(Configuration& configuration, const std::string& path);

    // The two halves without the disk: the content Save writes over old content, and Open
    // of content handed over in pieces of any size.
    using ContentSink = std::function<void(std::string_view)>;
    static std::string render(const Configuration& configuration, std::string_view old);
    static void loadContent(Configuration& configuration,
                            const std::function<void(const ContentSink&)>& content);

    // A file beyond this size is no configuration file; Save refuses to rewrite it.
    static constexpr std::size_t maxSaveTarget = 64 * 1024 * 1024;
};

} // namespace qolmex
