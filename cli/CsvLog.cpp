#include "CsvLog.h"

#include "config/Utf8Path.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace qolmex::cli {

bool CsvLog::open(const std::string& path) {
    std::error_code error;
    const std::filesystem::path name = utf8Path(path);
    const bool fresh = !std::filesystem::exists(name, error) ||
                       std::filesystem::file_size(name, error) == 0 || error;
    errno = 0;
    file_.open(name, std::ios::binary | std::ios::app);
    if (!file_.is_open())
        return written();
    if (fresh)
        file_ << header << "\r\n";
    return written();
}

bool CsvLog::append(const std::vector<std::string>& fields) {
    errno = 0;
    for (std::size_t i = 0; i < fields.size(); ++i)
        file_ << (i ? "," : "") << field(fields[i]);
    file_ << "\r\n";
    return written();
}

// The stream keeps no reason; the system's is still in errno right after the failed write.
bool CsvLog::written() {
    file_.flush();
    if (file_.good())
        return true;
    failure_ = std::strerror(errno != 0 ? errno : EIO);
    return false;
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
