#pragma once

#include "UnitSession.h"

#include <optional>
#include <string>

namespace qolmex {
class Configuration;
}

namespace qolmex::cli {

// A .bin file: the unit's 4096 bytes, as the "image" command writes them and "read --image"
// keeps them.
bool isImageName(const std::string& path);

// Loads a .kvx file; false when it cannot be read at all (no such file, a folder, no
// permission). Whatever it holds beyond that is taken as the window's Open takes it.
bool loadConfigurationFile(Configuration& config, const std::string& path);

// Reads an image file; nothing when it cannot be read or is not 4096 bytes long.
std::optional<RawImage> loadImageFile(const std::string& path);
// Puts every block of the image into the configuration, in address order, as Read would.
void decodeImage(Configuration& config, const RawImage& raw);
// The image Send writes, the two unused blocks zero, without the clock block.
RawImage encodeToImage(const Configuration& config);

// Both are written as the window's Save writes (writeFile) and throw FileWriteError.
void writeImageFile(const std::string& path, const RawImage& raw);
// Nothing but the configuration, as Save writes into a new file: an existing file's foreign
// lines are not kept, but the file is replaced as Save replaces it.
void saveConfigurationAsNew(const Configuration& config, const std::string& path);

} // namespace qolmex::cli
