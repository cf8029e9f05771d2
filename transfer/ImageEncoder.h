#pragma once

#include "MemoryImage.h"
#include "config/Configuration.h"

#include <string_view>
#include <vector>

namespace qolmex {

// The 254 blocks of the image in the order Send writes them: ascending from 0 to 4080, with
// 3040 and 3056 left out. Throws InvalidConfiguration unless validateForUnit passes, so no
// text is cut short and no number wraps on its way to the unit.
std::vector<Block> encodeImage(const Configuration& config);

} // namespace qolmex
