#include "usb/RealD2xx.h"

#include "usb/D2xxBackendChain.h"
#include "usb/SerialD2xx.h"
#include "usb/VendorD2xx.h"

namespace qolmex {

std::unique_ptr<D2xxLibrary> makeRealD2xxLibrary() {
    auto chain = std::make_unique<D2xxBackendChain>();
    chain->add(std::make_unique<VendorD2xx>());
#if !defined(_WIN32)
    chain->add(std::make_unique<SerialD2xx>(makeLibSerialPortSystem()));
#endif
    return chain;
}

} // namespace qolmex
