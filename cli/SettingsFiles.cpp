#include "SettingsFiles.h"

#include "Interrupt.h"
#include "config/AsciiCase.h"
#include "config/Configuration.h"
#include "config/ConfigurationFile.h"
#include "config/FileAccess.h"
#include "config/Utf8Path.h"
#include "config/WriteFile.h"
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

// Ctrl+C waits for a write to end, so no half-written temporary file is left behind.
void writeImageFile(const std::string& path, const RawImage& raw) {
    InterruptShield whileWriting;
    writeFile(path, std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
}

void saveConfigurationAsNew(const Configuration& config, const std::string& path) {
    InterruptShield whileWriting;
    writeFile(path, ConfigurationFile::render(config, ""));
}

} // namespace qolmex::cli
