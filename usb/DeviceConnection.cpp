#include "usb/DeviceConnection.h"

#include <utility>

namespace qolmex {

DeviceConnection::DeviceConnection(D2xxLibrary& library, TransferState& state,
                                   MessageFunction showMessage)
    : library_(library), state_(state), showMessage_(std::move(showMessage)) {}

void DeviceConnection::select(const BridgeEntry& bridge) {
    serialNumber_ = bridge.serialNumber;
    location_.reset();
    if (serialNumber_.empty() && !bridge.viaPort())
        location_ = bridge.location;
}

bool DeviceConnection::open(tftdichip& device, bool probeOnly) {
    if (!serialNumber_.empty())
        return probeOnly ? device.isPresentBySerialNumber(serialNumber_)
                         : device.openDeviceBySerialNumber(serialNumber_);
    if (location_)
        return probeOnly ? device.isPresentByLocation(*location_)
                         : device.openDeviceByLocation(*location_);
    return probeOnly ? device.isPresentByDescription(bridgeDescription)
                     : device.openDeviceByDescription(bridgeDescription);
}

void DeviceConnection::Connect() {
    if (state_.DeviceConnected || state_.UsbDevice)
        Disconnect();

    state_.UsbDevice = std::make_unique<tftdichip>(library_);
    tftdichip& device = *state_.UsbDevice;

    if (!open(device, true)) {
        // A bridge that is there but refuses us (rights, another program) is no cable fault.
        const std::string why = library_.lastOpenFailure();
        showMessage_(why.empty() ? msgNotConnected : why);
        discardDevice();
        return;
    }
    if (!open(device, false)) {
        const std::string why = library_.lastOpenFailure();
        showMessage_(why.empty() ? msgOpenFailed : why);
        discardDevice();
        return;
    }

    FtDeviceType type = FtDeviceType::Unknown;
    std::uint16_t productId = 0;
    std::uint16_t vendorId = 0;
    std::string serialNumber;
    std::string description;
    if (!device.getDeviceInfo(type, productId, vendorId, serialNumber, description)) {
        showMessage_(msgDamagedChip);
        discardDevice();
        return;
    }
    if (type != FtDeviceType::FT232R) {
        showMessage_(msgWrongDevice);
        discardDevice();
        return;
    }

    if (!device.resetDevice())
        showMessage_(msgResetError); // the connection goes on all the same

    // A failing line setting shows up later as missing replies; nothing to tell here.
    device.setBaudRate(5);
    device.setDataCharacteristics(0, 0, 0);
    device.setFlowControl(0, 0, 0);
    device.setTimeouts(readTimeoutMs, writeTimeoutMs);
    // Every block waits for a short reply; at the bridge's default 16 ms each would wait that
    // much longer. A library without the call leaves the timer as it is.
    device.setLatencyTimer(latencyTimerMs);

    state_.DeviceConnected = true;
}

void DeviceConnection::Disconnect() {
    discardDevice();
    state_.DeviceConnected = false;
}

void DeviceConnection::discardDevice() {
    if (state_.UsbDevice && state_.UsbDevice->isOpen())
        state_.UsbDevice->closeDevice();
    state_.UsbDevice.reset();
}

} // namespace qolmex
