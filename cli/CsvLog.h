#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace qolmex::cli {

// The production log: one line per unit, appended, with the header once at the top of a new
// or empty file. Each line is flushed, so the log holds every unit done before a crash, and
// checked, so that a log that cannot be written (a full disk) is known at once.
class CsvLog {
public:
    static constexpr const char* header = "time,serial,result,seconds,backup,message";

    // False when the file cannot be opened for appending or its header cannot be written.
    bool open(const std::string& path);
    // False when the line could not be written.
    bool append(const std::vector<std::string>& fields);
    // Why the last open or append failed, in the system's words.
    const std::string& failure() const { return failure_; }

    // A field quoted where it holds a comma, a quote or a line break.
    static std::string field(const std::string& text);

private:
    bool written();

    std::ofstream file_;
    std::string failure_;
};

} // namespace qolmex::cli
