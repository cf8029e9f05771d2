// Where libserialport is not used (Windows, whose users have the vendor's D2XX library):
// a system without serial ports, so the serial backend finds no bridge.
#include "usb/PortHolder.h"
#include "usb/SerialPortSystem.h"

namespace qolmex {

namespace {

class NoSerialPortSystem : public SerialPortSystem {
public:
    std::vector<SerialPortInfo> listPorts() override { return {}; }
    std::unique_ptr<SerialLine> open(const SerialPortInfo&) override { return nullptr; }
};

} // namespace

std::unique_ptr<SerialPortSystem> makeLibSerialPortSystem() {
    return std::make_unique<NoSerialPortSystem>();
}

std::unique_ptr<SerialPortSystem> makeFixedPortSystem(const std::string&) {
    return std::make_unique<NoSerialPortSystem>();
}

std::optional<std::uint16_t> readBcdDevice(const std::string&, const std::string&) {
    return std::nullopt;
}

// No port files to ask for their group or holder.
std::string portGroupName(const std::string&) {
    return {};
}

std::optional<PortHolder> findPortHolder(const std::string&, const std::string&) {
    return std::nullopt;
}

} // namespace qolmex
