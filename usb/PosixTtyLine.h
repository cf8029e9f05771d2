#pragma once
// A serial line on a bare tty, for a port named by its path that libserialport cannot
// describe (it looks every port up in sysfs, and a pseudo-terminal has no entry there).

#include "usb/SerialPortSystem.h"

#include <memory>
#include <string>

namespace qolmex {

// Opens path raw (no echo, no line editing, no character translation), exclusively; null
// with errno set on failure.
std::unique_ptr<SerialLine> openPosixTtyLine(const std::string& path);

} // namespace qolmex
