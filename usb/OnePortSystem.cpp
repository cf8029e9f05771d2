#include "usb/SerialPortSystem.h"

#include <algorithm>

namespace qolmex {

namespace {

class OnePortSystem : public SerialPortSystem {
public:
    OnePortSystem(std::unique_ptr<SerialPortSystem> ports, std::string path)
        : ports_(std::move(ports)), path_(std::move(path)) {}

    std::vector<SerialPortInfo> listPorts() override {
        std::vector<SerialPortInfo> all = ports_->listPorts();
        std::erase_if(all, [this](const SerialPortInfo& port) { return port.name != path_; });
        return all;
    }
    std::unique_ptr<SerialLine> open(const SerialPortInfo& port) override {
        return port.name == path_ ? ports_->open(port) : nullptr;
    }
    int lastOpenError() const override { return ports_->lastOpenError(); }
    bool listFailed() const override { return ports_->listFailed(); }

private:
    std::unique_ptr<SerialPortSystem> ports_;
    std::string path_;
};

} // namespace

std::unique_ptr<SerialPortSystem> makeOnePortSystem(std::unique_ptr<SerialPortSystem> ports,
                                                    const std::string& path) {
    return std::make_unique<OnePortSystem>(std::move(ports), path);
}

} // namespace qolmex
