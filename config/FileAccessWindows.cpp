// The file access of FileAccess.h on Windows: wide (UTF-16) names made from the program's
// UTF-8 ones, and a Save that replaces the file in one step with MoveFileExW.
#include "FileAccess.h"
#include "FileWriteError.h"
#include "WideName.h"

#include <algorithm>
#include <filesystem>
#include <vector>
#include <windows.h>

namespace qolmex::fileaccess {
namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }

    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
    }

private:
    HANDLE handle_;
};

// Directories do not open without FILE_FLAG_BACKUP_SEMANTICS, so they fail here as wanted.
HANDLE openForReading(const std::wstring& name) {
    return CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool isRegular(const Handle& file) {
    return GetFileType(file.get()) == FILE_TYPE_DISK;
}

std::string messageOf(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L'.' || message.back() == L' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(error) : utf8Name(message);
}

[[noreturn]] void fail(const std::string& path, DWORD error) {
    throw FileWriteError(path, messageOf(error));
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos)
        return ".";
    return path.substr(0, slash + 1); // keeps "C:\" a folder
}

// Reads the rest of the file; false on a read error.
bool readAll(const Handle& file, std::vector<char>& buffer,
             const std::function<bool(std::string_view)>& sink) {
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr))
            return false;
        if (n == 0)
            return true;
        if (!sink(std::string_view(buffer.data(), n)))
            return true;
    }
}

bool writeAll(const Handle& file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD n = 0;
        if (!WriteFile(file.get(), bytes.data(), chunk, &n, nullptr) || n == 0)
            return false;
        bytes.remove_prefix(n);
    }
    return true;
}

} // namespace

void readChunks(const std::string& path, const std::function<void(std::string_view)>& sink) {
    Handle file(openForReading(wideName(path)));
    if (!file.valid() || !isRegular(file))
        return;
    std::vector<char> buffer(1 << 20);
    readAll(file, buffer, [&sink](std::string_view bytes) {
        sink(bytes);
        return true;
    });
}

// Symbolic links are rare on Windows and need rights to make; the name is taken as it is.
std::string resolvedTarget(const std::string& path) {
    return path;
}

std::optional<ExistingFile> readForReplacing(const std::string& path, std::size_t maxBytes) {
    const std::wstring name = wideName(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return std::nullopt; // the folder is checked when the file is created
        fail(path, error);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        throw FileWriteError(path, "not a regular file");
    // A read-only file must stay as it is.
    if (attributes & FILE_ATTRIBUTE_READONLY)
        fail(path, ERROR_ACCESS_DENIED);

    Handle file(openForReading(name));
    if (!file.valid())
        fail(path, GetLastError());
    if (!isRegular(file))
        throw FileWriteError(path, "not a regular file");
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        fail(path, GetLastError());
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        throw FileWriteError(path, "too large for a configuration file");

    ExistingFile existing;
    bool tooLarge = false;
    std::vector<char> buffer(64 * 1024);
    const bool read = readAll(file, buffer, [&](std::string_view bytes) {
        existing.bytes.append(bytes);
        tooLarge = existing.bytes.size() > maxBytes; // it grew since the size was taken
        return !tooLarge;
    });
    if (!read)
        fail(path, GetLastError());
    if (tooLarge)
        throw FileWriteError(path, "too large for a configuration file");
    return existing;
}

// A folder that takes no new file (or no renaming) while the file itself may be written.
bool folderRefuses(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
}

// Permission bits mean nothing here; the new file gets the folder's usual rights.
void replace(const std::string& path, std::string_view bytes, const ExistingFile* old) {
    const std::wstring target = wideName(path);
    if (target.empty())
        fail(path, ERROR_INVALID_NAME);
    const std::string folder = folderOf(path);
    const std::string separator =
        folder.back() == '\\' || folder.back() == '/' ? std::string() : std::string("\\");
    std::wstring temporary;
    HANDLE handle = INVALID_HANDLE_VALUE;
    for (int attempt = 0; handle == INVALID_HANDLE_VALUE; ++attempt) {
        temporary =
            wideName(folder + separator + ".qolmex-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(attempt) + ".tmp");
        handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD error = GetLastError();
        if (handle != INVALID_HANDLE_VALUE ||
            ((error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) && attempt < 100))
            continue;
        if (old && folderRefuses(error))
            return overwriteInPlace(path, bytes, old->bytes);
        fail(path, error);
    }
    Handle file(handle);
    // The data is on the disk before the name points at it, and the move itself is
    // written through, so a power cut leaves either the old file or the new one.
    const bool written = writeAll(file, bytes) && FlushFileBuffers(file.get()) && file.close() &&
                         MoveFileExW(temporary.c_str(), target.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!written) {
        const DWORD error = GetLastError();
        const bool dataWritten = !file.valid(); // closed only after the data was flushed
        file.close();
        DeleteFileW(temporary.c_str());
        if (dataWritten && old && folderRefuses(error))
            return overwriteInPlace(path, bytes, old->bytes);
        fail(path, error);
    }
}

void overwriteInPlace(const std::string& path, std::string_view bytes, std::string_view oldBytes) {
    Handle file(CreateFileW(wideName(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        fail(path, GetLastError());
    if (!isRegular(file))
        throw FileWriteError(path, "not a regular file");
    const auto writeFrom0 = [&file](std::string_view content) {
        LARGE_INTEGER start{};
        return SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) &&
               writeAll(file, content) && SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
    };
    if (writeFrom0(bytes) && file.close())
        return;
    const DWORD error = GetLastError();
    if (file.valid())
        writeFrom0(oldBytes);
    fail(path, error);
}

bool createNew(const std::string& path) {
    const HANDLE handle = CreateFileW(wideName(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
            return false;
        fail(path, error);
    }
    CloseHandle(handle);
    return true;
}

// Windows resolves ".." by the name alone, so normalising says what the system will do.
std::string absoluteName(const std::string& path) {
    const std::wstring wide = wideName(path);
    if (wide.empty())
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(wide, error);
    return error ? path : utf8Name(absolute.lexically_normal().native());
}

} // namespace qolmex::fileaccess
