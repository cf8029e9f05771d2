#pragma once
// The D2XX library the real program uses: the vendor's library where it can
// open the bridge, else (not on Windows) the operating system's serial driver.

#include "usb/D2xxLibrary.h"

#include <memory>

namespace qolmex {

std::unique_ptr<D2xxLibrary> makeRealD2xxLibrary();

} // namespace qolmex
