#pragma once
// The operating system's serial ports, as small as the serial backend needs
// them, so that its port matching and D2XX semantics can be tested on a
// stubbed port list. The real one is libserialport.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qolmex {

struct SerialPortInfo {
    std::string name; // "/dev/ttyUSB0", "COM3"
    bool usb = false;
    std::string product; // the USB product string, which D2XX calls the description
    std::string serialNumber;
    int vendorId = -1; // -1: not told
    int productId = -1;
    std::optional<std::uint16_t> bcdDevice{}; // device release, where the system tells it
};

enum class SerialParity { None, Odd, Even, Mark, Space };
enum class SerialFlow { None, RtsCts, DtrDsr, XonXoff };

class SerialLine {
public:
    virtual ~SerialLine() = default;
    virtual bool setBaudRate(std::uint32_t baud) = 0;
    virtual bool setFormat(int dataBits, int stopBits, SerialParity parity) = 0;
    virtual bool setFlowControl(SerialFlow flow) = 0;
    // Both return when count bytes have moved or timeoutMs has passed (0: no
    // limit), with the count moved, or -1 on a failure of the line: a port that
    // hangs up (cable pulled) fails at once rather than waiting out the time-out.
    virtual int read(std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) = 0;
    virtual int write(const std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) = 0;
    virtual int bytesWaiting() = 0; // -1 on failure
    virtual bool reset() = 0;
};

class SerialPortSystem {
public:
    virtual ~SerialPortSystem() = default;
    virtual std::vector<SerialPortInfo> listPorts() = 0;
    // Exclusive: a second open of the same port, by us or another program, is refused.
    virtual std::unique_ptr<SerialLine> open(const SerialPortInfo& port) = 0; // null on failure
    // The errno of the last failed open (EACCES, EBUSY, ...); 0 when it cannot be told.
    virtual int lastOpenError() const { return 0; }
    // Whether the last listPorts could not ask the system, so that ports may be missing.
    virtual bool listFailed() const { return false; }
};

std::unique_ptr<SerialPortSystem> makeLibSerialPortSystem();
// One port named by its path stands for the unit's bridge, whatever it reports of itself
// (a port the user names, or a pseudo-terminal in tests): listed as an FT232R described
// "FT232R USB UART", with its real serial number where it has one.
std::unique_ptr<SerialPortSystem> makeFixedPortSystem(const std::string& path);
// Only the port with this path among the ports of another system, as that system tells it:
// a bridge without a serial number is told from its twins by its port alone.
std::unique_ptr<SerialPortSystem> makeOnePortSystem(std::unique_ptr<SerialPortSystem> ports,
                                                    const std::string& path);

// Linux: the device release of the USB device behind a tty, from sysfs.
std::optional<std::uint16_t> readBcdDevice(const std::string& portName,
                                           const std::string& sysRoot = "/sys");

} // namespace qolmex
