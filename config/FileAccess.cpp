#include "FileAccess.h"

#include "FileWriteError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qolmex::fileaccess {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { close(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closing can report a write that failed late, so the writer checks it.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

// O_NONBLOCK so that opening a named pipe cannot hang; regular files ignore it.
int openForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

bool isRegular(const Descriptor& file, struct stat& info) {
    return ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

[[noreturn]] void fail(const std::string& path, int error) {
    throw FileWriteError(path, std::strerror(error));
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Another user's file stays theirs where the user may say so (root may), and its group stays
// where the user belongs to it; otherwise the file is the user's, as any file they write.
void keepOwnerAndGroup(int fd, const ExistingFile& old) {
    if (::fchown(fd, old.owner, old.group) == 0)
        return;
    if (::fchown(fd, static_cast<uid_t>(-1), old.group) != 0) {
        // Neither could be kept: the file is the user's, as a new one would be.
    }
}

// A folder without write permission, or a sticky one holding another user's file.
bool folderRefuses(int error) {
    return error == EACCES || error == EPERM;
}

bool writeFrom0(int fd, std::string_view bytes) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

} // namespace

void readChunks(const std::string& path, const std::function<void(std::string_view)>& sink) {
    Descriptor file(openForReading(path));
    struct stat info {};
    if (!file.valid() || !isRegular(file, info))
        return;
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        sink(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    }
}

std::string resolvedTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                         &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

std::optional<ExistingFile> readForReplacing(const std::string& path, std::size_t maxBytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return std::nullopt; // the folder is checked when the file is created
        fail(path, errno);
    }
    if (!S_ISREG(info.st_mode))
        throw FileWriteError(path, "not a regular file");
    // Renaming would replace a read-only file too; it must stay as it is.
    if (::access(path.c_str(), W_OK) != 0)
        fail(path, errno);

    Descriptor file(openForReading(path));
    if (!file.valid())
        fail(path, errno);
    if (!isRegular(file, info))
        throw FileWriteError(path, "not a regular file");
    if (static_cast<std::size_t>(info.st_size) > maxBytes)
        throw FileWriteError(path, "too large for a configuration file");

    ExistingFile existing;
    existing.mode = info.st_mode & 07777;
    existing.owner = info.st_uid;
    existing.group = info.st_gid;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail(path, errno);
        if (n == 0)
            return existing;
        existing.bytes.append(buffer.data(), static_cast<std::size_t>(n));
        if (existing.bytes.size() > maxBytes) // it grew since fstat
            throw FileWriteError(path, "too large for a configuration file");
    }
}

void replace(const std::string& path, std::string_view bytes, const ExistingFile* old) {
    const std::string folder = folderOf(path);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = folder + "/.qolmex-" + std::to_string(::getpid()) + "-" +
                    std::to_string(attempt) + ".tmp";
        // A new file: 0666 lets the user's umask decide, as for any new file. Replacing one:
        // private until it has the old file's mode.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
        if (fd >= 0 || (errno == EEXIST && attempt < 100))
            continue;
        if (old && folderRefuses(errno))
            return overwriteInPlace(path, bytes, old->bytes);
        fail(path, errno);
    }
    Descriptor file(fd);
    // Owner, group and mode are the final ones before the first byte, so a private file is
    // never readable by others, not even for a moment; the mode after the owner, since
    // changing the owner clears the set-id bits.
    if (old)
        keepOwnerAndGroup(file.get(), *old);
    const bool written = (!old || ::fchmod(file.get(), static_cast<mode_t>(old->mode)) == 0) &&
                         writeAll(file.get(), bytes) && ::fsync(file.get()) == 0 && file.close();
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        file.close();
        ::unlink(temporary.c_str());
        if (written && old && folderRefuses(error))
            return overwriteInPlace(path, bytes, old->bytes);
        fail(path, error);
    }
    // The rename itself lasts only once the folder is on the disk; failing here loses nothing.
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

void overwriteInPlace(const std::string& path, std::string_view bytes, std::string_view oldBytes) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!file.valid())
        fail(path, errno);
    if (!isRegular(file, info))
        throw FileWriteError(path, "not a regular file");
    if (writeFrom0(file.get(), bytes) && file.close())
        return;
    const int error = errno;
    if (file.valid())
        writeFrom0(file.get(), oldBytes);
    fail(path, error);
}

bool createNew(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST)
        return false;
    if (fd < 0)
        fail(path, errno);
    ::close(fd);
    return true;
}

// Not normalised: "link/../x" is the x beside the link's target, as the system resolves it.
std::string absoluteName(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

} // namespace qolmex::fileaccess
