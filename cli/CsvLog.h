#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace qolmex::cli {

// The production log: one line per unit, appended, with the header once at the top of a new
// or empty file. Each line is flushed, so the log holds every unit done before a crash.
class CsvLog {
public:
    static constexpr const char* header = "time,serial,result,seconds,backup,message";

    // False when the file cannot be opened for appending.
    bool open(const std::string& path);
    void append(const std::vector<std::string>& fields);

    // A field quoted where it holds a comma, a quote or a line break.
    static std::string field(const std::string& text);

private:
    std::ofstream file_;
};

} // namespace qolmex::cli
