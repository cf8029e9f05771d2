#pragma once

#include <stdexcept>
#include <string>

namespace qolmex {

// A file could not be written; the file on disk is as it was before.
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(std::string fileName, const std::string& reason)
        : std::runtime_error(fileName + ": " + reason), fileName_(std::move(fileName)) {}

    // The full name of the file that was to be written.
    const std::string& fileName() const { return fileName_; }

private:
    std::string fileName_;
};

} // namespace qolmex
