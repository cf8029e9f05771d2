#include "WriteFile.h"

#include "FileAccess.h"
#include "FileWriteError.h"

namespace qolmex {

namespace {

// What any of our files may have grown to; a larger one is something else.
constexpr std::size_t largestOwnFile = 64 * 1024 * 1024;

} // namespace

void writeFile(const std::string& path,
               const std::function<std::string(std::string_view old)>& content,
               std::size_t maxOldBytes) {
    const std::string fullName = fileaccess::absoluteName(path);
    try {
        const std::string target = fileaccess::resolvedTarget(fullName);
        const auto old = fileaccess::readForReplacing(target, maxOldBytes);
        const std::string bytes = content(old ? std::string_view(old->bytes) : "");
        fileaccess::replace(target, bytes, old ? &*old : nullptr);
    } catch (const std::exception& error) { // out of memory too: nothing was written
        throw FileWriteError(fullName, error.what());
    }
}

void writeFile(const std::string& path, std::string_view bytes) {
    writeFile(
        path, [bytes](std::string_view) { return std::string(bytes); }, largestOwnFile);
}

} // namespace qolmex
