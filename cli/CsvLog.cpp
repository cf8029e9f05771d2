#include "CsvLog.h"

#include <filesystem>

namespace qolmex::cli {

bool CsvLog::open(const std::string& path) {
    std::error_code error;
    const bool fresh = !std::filesystem::exists(path, error) ||
                       std::filesystem::file_size(path, error) == 0 || error;
    file_.open(path, std::ios::binary | std::ios::app);
    if (!file_)
        return false;
    if (fresh)
        file_ << header << "\r\n" << std::flush;
    return true;
}

void CsvLog::append(const std::vector<std::string>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        file_ << (i ? "," : "") << field(fields[i]);
    file_ << "\r\n" << std::flush;
}

std::string CsvLog::field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace qolmex::cli
