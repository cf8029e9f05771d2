#pragma once
// The USB devices of a Linux system as sysfs lists them, with what the doctor needs of each.

#include "SystemRoot.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qolmex::cli {

struct AttachedUsbDevice {
    std::string name; // under /sys/bus/usb/devices: "1-1.2"
    int vendorId = -1;
    int productId = -1;
    std::optional<std::uint16_t> release;
    std::string description; // the product string
    std::string serialNumber;
    int bus = -1;
    int address = -1;
    std::string driver; // bound to its first interface: "ftdi_sio", "usbfs"; empty for none
    std::string tty;    // the serial port the driver made: "ttyUSB0"

    static constexpr int ftdiVendor = 0x0403;
    static constexpr int ft232rProduct = 0x6001;

    bool ftdi() const { return vendorId == ftdiVendor; }
    // An FT232R by its ids; its older siblings share the product id but not the release.
    bool ft232r() const {
        return ftdi() && productId == ft232rProduct && (!release || *release == 0x0600);
    }
    // The device node: the serial port, or the USB device itself for the vendor library.
    std::string node() const;
};

std::vector<AttachedUsbDevice> usbDevices(const SystemRoot& system);

} // namespace qolmex::cli
