#include "UsbDeviceProbe.h"

#include <cstdio>
#include <cstdlib>

namespace qolmex::cli {
namespace {

constexpr const char* devices = "/sys/bus/usb/devices/";

int number(const std::string& text, int base) {
    if (text.empty())
        return -1;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, base);
    return *end == '\0' ? static_cast<int>(value) : -1;
}

// The first interface ("1-1.2:1.0") holds the driver and, under it, the port.
void readInterface(const SystemRoot& system, AttachedUsbDevice& device) {
    const std::string interface = devices + device.name + ":1.0";
    std::error_code error;
    const auto driver = std::filesystem::read_symlink(system.path(interface + "/driver"), error);
    if (!error)
        device.driver = driver.filename().string();
    for (const std::string& entry : system.list(interface))
        if (entry.rfind("tty", 0) == 0 && entry.size() > 3)
            device.tty = entry;
}

} // namespace

std::string AttachedUsbDevice::node() const {
    if (!tty.empty())
        return "/dev/" + tty;
    char path[32];
    std::snprintf(path, sizeof path, "/dev/bus/usb/%03d/%03d", bus, address);
    return path;
}

std::vector<AttachedUsbDevice> usbDevices(const SystemRoot& system) {
    std::vector<AttachedUsbDevice> found;
    for (const std::string& name : system.list(devices)) {
        const std::string dir = devices + name;
        if (name.find(':') != std::string::npos || !system.exists(dir + "/idVendor"))
            continue; // an interface, or a hub's port without a device
        AttachedUsbDevice device;
        device.name = name;
        device.vendorId = number(system.firstLine(dir + "/idVendor"), 16);
        device.productId = number(system.firstLine(dir + "/idProduct"), 16);
        if (const int release = number(system.firstLine(dir + "/bcdDevice"), 16); release >= 0)
            device.release = static_cast<std::uint16_t>(release);
        device.description = system.firstLine(dir + "/product");
        device.serialNumber = system.firstLine(dir + "/serial");
        device.bus = number(system.firstLine(dir + "/busnum"), 10);
        device.address = number(system.firstLine(dir + "/devnum"), 10);
        readInterface(system, device);
        found.push_back(std::move(device));
    }
    return found;
}

} // namespace qolmex::cli
