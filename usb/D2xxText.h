#pragma once

#include "usb/D2xxLibrary.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace qolmex {

// Fills one of FT_GetDeviceInfo's text buffers: at most capacity characters and the
// terminating zero. A null buffer is left alone.
inline void copyD2xxText(PCHAR target, const std::string& text, std::size_t capacity) {
    if (target == nullptr)
        return;
    const std::size_t n = std::min(text.size(), capacity);
    std::memcpy(target, text.data(), n);
    target[n] = '\0';
}

} // namespace qolmex
