#include "SettingsFiles.h"

#include "config/AsciiCase.h"
#include "config/Configuration.h"
#include "config/ConfigurationFile.h"
#include "config/FileAccess.h"
#include "config/FileWriteError.h"
#include "config/Utf8Path.h"
#include "transfer/FrameDecoder.h"
#include "transfer/ImageEncoder.h"

#include <filesystem>
#include <fstream>

namespace qolmex::cli {
namespace {

bool readable(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(utf8Path(path), error))
        return false;
    return std::ifstream(utf8Path(path), std::ios::binary).good();
}

} // namespace

bool isImageName(const std::string& path) {
    const std::string name = lowerAscii(path);
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".bin") == 0;
}

bool loadConfigurationFile(Configuration& config, const std::string& path) {
    if (!readable(path))
        return false;
    ConfigurationFile::load(config, path);
    return true;
}

std::optional<RawImage> loadImageFile(const std::string& path) {
    if (!readable(path))
        return std::nullopt;
    std::string bytes;
    fileaccess::readChunks(path, [&bytes](std::string_view chunk) {
        if (bytes.size() <= image::imageSize)
            bytes.append(chunk);
    });
    if (bytes.size() != image::imageSize)
        return std::nullopt;
    RawImage raw{};
    std::copy(bytes.begin(), bytes.end(), raw.begin());
    return raw;
}

void decodeImage(Configuration& config, const RawImage& raw) {
    FrameDecoder decoder(config);
    for (std::size_t address = 0; address < image::imageSize; address += blockSize) {
        BlockData data{};
        std::copy_n(raw.begin() + static_cast<std::ptrdiff_t>(address), blockSize, data.begin());
        decoder.apply(static_cast<std::uint16_t>(address), data);
    }
}

RawImage encodeToImage(const Configuration& config) {
    RawImage raw{};
    for (const Block& block : encodeImage(config))
        std::copy(block.data.begin(), block.data.end(), raw.begin() + block.address);
    return raw;
}

bool writeWholeFile(const std::string& path, std::string_view bytes) {
    try {
        fileaccess::replace(path, bytes, nullptr);
        return true;
    } catch (const FileWriteError&) {
        return false;
    }
}

bool writeImageFile(const std::string& path, const RawImage& raw) {
    return writeWholeFile(
        path, std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
}

bool saveConfigurationAsNew(const Configuration& config, const std::string& path) {
    // Saved under a name of its own first, so an existing file's foreign lines are not kept
    // and a failure leaves it as it was.
    const std::filesystem::path fresh = utf8Path(path + ".qolmex-new");
    std::error_code ignored;
    std::filesystem::remove(fresh, ignored);
    try {
        ConfigurationFile::save(config, utf8Name(fresh));
    } catch (const FileWriteError&) {
        std::filesystem::remove(fresh, ignored);
        return false;
    }
    std::error_code error;
    std::filesystem::rename(fresh, utf8Path(path), error);
    if (error)
        std::filesystem::remove(fresh, ignored);
    return !error;
}

} // namespace qolmex::cli
