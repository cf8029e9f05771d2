#pragma once
// Several virtual units on one hub, as the vendor's library and the system's serial ports
// show them: each bridge with or without a serial number, at a location of its own on the
// bus or on a port of its own. The units answer at once on the real clock. Every unit is
// guarded by a lock of its own, so that two threads that reach for the same bridge (as the
// programmer must not let them) meet as they would at a real driver: the second open fails.

#include "cli/HardwareAccess.h"
#include "sim/VirtualUnit.h"
#include "usb/SerialPortSystem.h"

#include <cerrno>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qolmex::testing {

class VirtualBridges {
public:
    // Reached through the vendor library, found by serial number, description or location.
    VirtualUnit& addVendorBridge(std::string serial, std::uint32_t location) {
        Bridge& bridge = add(std::move(serial));
        bridge.location = location;
        return bridge.unit;
    }
    // Reached through the serial driver as the port with this path.
    VirtualUnit& addPort(std::string path, std::string serial) {
        Bridge& bridge = add(std::move(serial));
        bridge.port = std::move(path);
        return bridge.unit;
    }

    cli::BridgeBackends backends() {
        return {[this] { return std::make_unique<Vendor>(*this); },
                [this] { return std::make_unique<Ports>(*this); }};
    }

private:
    struct Bridge {
        explicit Bridge(Clock& clock)
            : unit(clock, {}, UnitPacing{false, Clock::Duration{0}, false, false}) {}
        VirtualUnit unit;
        std::mutex lock; // one call into the unit at a time
        std::string serial;
        std::optional<std::uint32_t> location;
        std::string port;
    };

    Bridge& add(std::string serial) {
        std::lock_guard hold(lock_);
        Bridge& bridge = bridges_.emplace_back(clock_);
        bridge.unit.setSerialNumber(serial);
        bridge.serial = std::move(serial);
        return bridge;
    }

    // Opens the unit itself; its own handle, or null when it is taken.
    static FT_HANDLE openUnit(Bridge& bridge) {
        std::lock_guard hold(bridge.lock);
        char description[] = "FT232R USB UART";
        FT_HANDLE handle = nullptr;
        return bridge.unit.FT_OpenEx(description, FT_OPEN_BY_DESCRIPTION, &handle) == FT_OK
                   ? handle
                   : nullptr;
    }

    template <typename Call> static FT_STATUS call(Bridge& bridge, Call unitCall) {
        std::lock_guard hold(bridge.lock);
        return unitCall(bridge.unit);
    }

    // The vendor library of one thread: each of its handles leads to one bridge.
    class Vendor : public D2xxLibrary {
    public:
        explicit Vendor(VirtualBridges& hub) : hub_(hub) {}

        FT_STATUS FT_OpenEx(PVOID key, DWORD flags, FT_HANDLE* handle) override {
            Bridge* bridge = hub_.find(key, flags);
            if (bridge == nullptr)
                return FT_DEVICE_NOT_FOUND;
            const FT_HANDLE unitHandle = openUnit(*bridge);
            if (unitHandle == nullptr)
                return FT_DEVICE_NOT_OPENED;
            auto& route = routes_.emplace_back(std::make_unique<Route>(Route{bridge, unitHandle}));
            *handle = route.get();
            return FT_OK;
        }
        FT_STATUS FT_Close(FT_HANDLE h) override {
            return forward(h, [&](VirtualUnit& u, FT_HANDLE uh) {
                const FT_STATUS status = u.FT_Close(uh);
                std::erase_if(routes_, [h](const auto& r) { return r.get() == h; });
                return status;
            });
        }
        FT_STATUS FT_ResetDevice(FT_HANDLE h) override {
            return forward(h, [](VirtualUnit& u, FT_HANDLE uh) { return u.FT_ResetDevice(uh); });
        }
        FT_STATUS FT_SetBaudRate(FT_HANDLE h, ULONG rate) override {
            return forward(
                h, [=](VirtualUnit& u, FT_HANDLE uh) { return u.FT_SetBaudRate(uh, rate); });
        }
        FT_STATUS FT_SetDataCharacteristics(FT_HANDLE h, UCHAR w, UCHAR s, UCHAR p) override {
            return forward(h, [=](VirtualUnit& u, FT_HANDLE uh) {
                return u.FT_SetDataCharacteristics(uh, w, s, p);
            });
        }
        FT_STATUS FT_SetFlowControl(FT_HANDLE h, USHORT f, UCHAR on, UCHAR off) override {
            return forward(h, [=](VirtualUnit& u, FT_HANDLE uh) {
                return u.FT_SetFlowControl(uh, f, on, off);
            });
        }
        FT_STATUS FT_SetTimeouts(FT_HANDLE h, ULONG r, ULONG w) override {
            return forward(
                h, [=](VirtualUnit& u, FT_HANDLE uh) { return u.FT_SetTimeouts(uh, r, w); });
        }
        FT_STATUS FT_Read(FT_HANDLE h, LPVOID b, DWORD n, LPDWORD got) override {
            *got = 0;
            return forward(h,
                           [=](VirtualUnit& u, FT_HANDLE uh) { return u.FT_Read(uh, b, n, got); });
        }
        FT_STATUS FT_Write(FT_HANDLE h, LPVOID b, DWORD n, LPDWORD put) override {
            *put = 0;
            return forward(h,
                           [=](VirtualUnit& u, FT_HANDLE uh) { return u.FT_Write(uh, b, n, put); });
        }
        FT_STATUS FT_GetQueueStatus(FT_HANDLE h, DWORD* n) override {
            *n = 0;
            return forward(
                h, [=](VirtualUnit& u, FT_HANDLE uh) { return u.FT_GetQueueStatus(uh, n); });
        }
        FT_STATUS FT_GetDeviceInfo(FT_HANDLE h, FT_DEVICE* type, LPDWORD id, PCHAR serial,
                                   PCHAR description, LPVOID dummy) override {
            return forward(h, [=](VirtualUnit& u, FT_HANDLE uh) {
                return u.FT_GetDeviceInfo(uh, type, id, serial, description, dummy);
            });
        }
        std::vector<BridgeEntry> listBridges() override {
            std::lock_guard hold(hub_.lock_);
            std::vector<BridgeEntry> entries;
            for (const Bridge& b : hub_.bridges_)
                if (b.port.empty())
                    entries.push_back({VirtualUnit::description,
                                       b.serial,
                                       BridgeEntry::viaVendorLibrary,
                                       true,
                                       {},
                                       b.location});
            return entries;
        }

    private:
        struct Route {
            Bridge* bridge;
            FT_HANDLE unitHandle;
        };
        template <typename Call> FT_STATUS forward(FT_HANDLE h, Call unitCall) {
            for (const auto& route : routes_)
                if (route.get() == h) {
                    const Route r = *route;
                    return call(*r.bridge,
                                [&](VirtualUnit& u) { return unitCall(u, r.unitHandle); });
                }
            return FT_INVALID_HANDLE;
        }

        VirtualBridges& hub_;
        std::vector<std::unique_ptr<Route>> routes_;
    };

    // A line of the serial driver on one unit.
    class UnitLine : public SerialLine {
    public:
        UnitLine(Bridge& bridge, FT_HANDLE handle) : bridge_(bridge), handle_(handle) {}
        ~UnitLine() override {
            call(bridge_, [this](VirtualUnit& u) { return u.FT_Close(handle_); });
        }
        bool setBaudRate(std::uint32_t baud) override {
            return ok([=, this](VirtualUnit& u) { return u.FT_SetBaudRate(handle_, baud); });
        }
        bool setFormat(int bits, int stopBits, SerialParity parity) override {
            return ok([=, this](VirtualUnit& u) {
                return u.FT_SetDataCharacteristics(handle_, static_cast<UCHAR>(bits),
                                                   stopBits == 2 ? FT_STOP_BITS_2 : FT_STOP_BITS_1,
                                                   static_cast<UCHAR>(parity));
            });
        }
        bool setFlowControl(SerialFlow) override { return true; }
        int read(std::uint8_t* buffer, std::size_t count, unsigned timeoutMs) override {
            DWORD got = 0;
            const bool read = ok([&](VirtualUnit& u) {
                u.FT_SetTimeouts(handle_, timeoutMs, 0);
                return u.FT_Read(handle_, buffer, static_cast<DWORD>(count), &got);
            });
            return read ? static_cast<int>(got) : -1;
        }
        int write(const std::uint8_t* buffer, std::size_t count, unsigned) override {
            DWORD put = 0;
            const bool written = ok([&](VirtualUnit& u) {
                return u.FT_Write(handle_, const_cast<std::uint8_t*>(buffer),
                                  static_cast<DWORD>(count), &put);
            });
            return written ? static_cast<int>(put) : -1;
        }
        int bytesWaiting() override {
            DWORD waiting = 0;
            return ok([&](VirtualUnit& u) { return u.FT_GetQueueStatus(handle_, &waiting); })
                       ? static_cast<int>(waiting)
                       : -1;
        }
        bool reset() override { return true; }

    private:
        template <typename Call> bool ok(Call unitCall) { return call(bridge_, unitCall) == FT_OK; }
        Bridge& bridge_;
        FT_HANDLE handle_;
    };

    // The serial ports of one thread.
    class Ports : public SerialPortSystem {
    public:
        explicit Ports(VirtualBridges& hub) : hub_(hub) {}
        std::vector<SerialPortInfo> listPorts() override {
            std::lock_guard hold(hub_.lock_);
            std::vector<SerialPortInfo> ports;
            for (const Bridge& b : hub_.bridges_)
                if (!b.port.empty())
                    ports.push_back({b.port, true, VirtualUnit::description, b.serial, 0x0403,
                                     0x6001, std::uint16_t{0x0600}});
            return ports;
        }
        std::unique_ptr<SerialLine> open(const SerialPortInfo& port) override {
            Bridge* bridge = nullptr;
            {
                std::lock_guard hold(hub_.lock_);
                for (Bridge& b : hub_.bridges_)
                    if (b.port == port.name)
                        bridge = &b;
            }
            const FT_HANDLE handle = bridge ? openUnit(*bridge) : nullptr;
            lastError_ = bridge == nullptr ? ENOENT : EBUSY;
            return handle ? std::make_unique<UnitLine>(*bridge, handle) : nullptr;
        }
        int lastOpenError() const override { return lastError_; }

    private:
        VirtualBridges& hub_;
        int lastError_ = 0;
    };

    // The vendor library's choice: the first bridge with the description, the serial number
    // or the location.
    Bridge* find(PVOID key, DWORD flags) {
        std::lock_guard hold(lock_);
        for (Bridge& b : bridges_) {
            if (!b.port.empty())
                continue;
            const bool match =
                flags == FT_OPEN_BY_LOCATION
                    ? b.location ==
                          static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(key))
                : flags == FT_OPEN_BY_SERIAL_NUMBER
                    ? !b.serial.empty() && b.serial == static_cast<const char*>(key)
                    : std::string(VirtualUnit::description) == static_cast<const char*>(key);
            if (match)
                return &b;
        }
        return nullptr;
    }

    RealClock clock_;
    std::mutex lock_; // the list of bridges
    std::list<Bridge> bridges_;
};

} // namespace qolmex::testing
