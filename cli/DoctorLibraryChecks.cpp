#include "DoctorChecks.h"
#include "DoctorTexts.h"
#include "usb/DeviceConnection.h"
#include "usb/TraceFormat.h"
#include "usb/VendorD2xx.h"

#include <cstdio>

namespace qolmex::cli {
namespace {

using Verdict = DoctorCheck::Verdict;
namespace t = doctorTexts;

constexpr auto listenFor = std::chrono::milliseconds(2000);
constexpr std::size_t identityLength = 8;
constexpr const char* identityWord = "QOLMEX70";

std::string versionText(DWORD version) {
    char text[32];
    std::snprintf(text, sizeof text, "%x.%x.%x", static_cast<unsigned>(version >> 16 & 0xFF),
                  static_cast<unsigned>(version >> 8 & 0xFF),
                  static_cast<unsigned>(version & 0xFF));
    return text;
}

std::string bridgeText(const BridgeEntry& bridge) {
    return "„" + bridge.description + "“" +
           (bridge.serialNumber.empty() ? "" : ", sériové číslo " + bridge.serialNumber);
}

// A bridge as a device list shows it; the chip type where the list tells it.
struct ListedBridge {
    BridgeEntry entry;
    std::optional<FT_DEVICE> type;

    bool matches() const {
        return entry.description == DeviceConnection::bridgeDescription &&
               (!type || *type == FT_DEVICE_232R);
    }
};

// One line per bridge, then the one the unit hangs on; its serial number, empty when it is
// found by its description.
std::optional<std::string> bridgeChecks(DoctorReport& report,
                                        const std::vector<ListedBridge>& bridges,
                                        const std::string& wantedSerial) {
    if (bridges.empty()) {
        DoctorCheck& none = report.add("bridge", t::bridge);
        none.verdict = Verdict::Fail;
        none.found = "Knižnica nevidí žiadny prevodník.";
        none.fix = t::noBridgesFix;
        return std::nullopt;
    }
    const ListedBridge* chosen = nullptr;
    for (const ListedBridge& bridge : bridges) {
        DoctorCheck& line = report.add("bridge", t::bridge);
        line.found = bridgeText(bridge.entry) + (bridge.type == FT_DEVICE_232R ? ", FT232R" : "") +
                     ", " + (bridge.entry.openable ? "dá sa otvoriť" : "nedá sa otvoriť");
        if (!bridge.entry.openable && !bridge.entry.reason.empty())
            line.found += ": " + bridge.entry.reason;
        const bool wanted = wantedSerial.empty() || bridge.entry.serialNumber == wantedSerial;
        if (!bridge.matches() || !wanted)
            continue;
        if (!bridge.entry.openable) {
            line.verdict = Verdict::Fail;
            line.fix = t::bridgeInUseFix;
        } else if (!chosen) {
            chosen = &bridge;
        }
    }
    DoctorCheck& description = report.add("description", t::description);
    if (chosen) {
        description.found = bridgeText(chosen->entry);
        return chosen->entry.serialNumber;
    }
    description.verdict = Verdict::Fail;
    description.found = "Žiadny prevodník FT232R s popisom „FT232R USB UART“ sa nedá otvoriť.";
    description.fix = t::wrongDescriptionFix;
    return std::nullopt;
}

} // namespace

void vendorLibraryCheck(DoctorReport& report, const DoctorSetup& setup, bool required) {
    const std::string name =
        setup.vendorLibrary.empty() ? VendorD2xx::defaultLibraryName() : setup.vendorLibrary;
    VendorD2xx library(name);
    DoctorCheck& check = report.add("vendor-library", t::vendorLibrary);
    if (library.loaded()) {
        const auto version = library.libraryVersion();
        check.found = name + (version ? ", verzia " + versionText(*version) : "");
    } else if (required) {
        check.verdict = Verdict::Fail;
        check.found = name + " sa nenašla.";
        check.fix = t::noVendorLibraryWindowsFix;
    } else {
        check.found = name + " nie je nainštalovaná; prevodník sa otvorí cez sériový ovládač "
                             "jadra.";
    }
}

void windowsChecks(DoctorReport& report, const DoctorSetup& setup, UnitAccess& access,
                   const std::string& wantedSerial) {
    vendorLibraryCheck(report, setup, true);
    if (report.skipUnless("bridge", t::bridge, {"vendor-library"})) {
        report.skipUnless("description", t::description, {"vendor-library"});
        report.skipUnless("identity", t::identity, {"vendor-library"});
        return;
    }
    VendorD2xx library(setup.vendorLibrary.empty() ? VendorD2xx::defaultLibraryName()
                                                   : setup.vendorLibrary);
    std::vector<ListedBridge> bridges;
    for (VendorD2xx::DetailedEntry& detail : library.deviceList())
        bridges.push_back({std::move(detail.bridge), detail.type});
    const auto serial = bridgeChecks(report, bridges, wantedSerial);
    identityCheck(report, access, serial.value_or(""), {"description"});
}

void accessChecks(DoctorReport& report, UnitAccess& access, const std::string& wantedSerial) {
    std::vector<ListedBridge> bridges;
    for (BridgeEntry& entry : access.listBridges())
        bridges.push_back({std::move(entry), std::nullopt});
    const auto serial = bridgeChecks(report, bridges, wantedSerial);
    identityCheck(report, access, serial.value_or(""), {"description"});
}

void identityCheck(DoctorReport& report, UnitAccess& access, const std::string& serialNumber,
                   const std::vector<std::string>& premises) {
    if (report.skipUnless("identity", t::identity, premises))
        return;
    BridgeEntry bridge;
    bridge.description = DeviceConnection::bridgeDescription;
    bridge.serialNumber = serialNumber;
    auto link = access.link(bridge);
    TransferState state;
    std::string failure;
    DeviceConnection connection(link->library(), state, [&failure](const std::string& text) {
        if (text != DeviceConnection::msgResetError) // told, but the connection goes on
            failure = text;
    });
    connection.select(bridge);
    connection.Connect();

    DoctorCheck result;
    if (!state.DeviceConnected) {
        const std::size_t lineEnd = failure.find('\n');
        result.verdict = Verdict::Fail;
        result.found = failure.substr(0, lineEnd);
        result.fix = lineEnd == std::string::npos ? t::openFailedFix : failure.substr(lineEnd + 1);
    } else {
        // Only reads: the unit says who it is by itself once the line is open.
        std::string heard;
        const auto start = link->now();
        while (heard.size() < identityLength && link->now() - start < listenFor) {
            char buffer[identityLength];
            DWORD got = 0;
            state.UsbDevice->read(buffer, static_cast<DWORD>(identityLength - heard.size()), got);
            heard.append(buffer, got);
            if (state.UsbDevice->deviceLost())
                break;
        }
        connection.Disconnect();
        if (heard == identityWord) {
            result.found = "Prišlo " + trace::hexAndText(heard);
        } else if (heard.empty()) {
            result.verdict = Verdict::Fail;
            result.found = "Za 2 s neprišiel zo zariadenia ani jeden bajt.";
            result.fix = t::silentFix;
        } else {
            result.verdict = Verdict::Fail;
            result.found = "Prišlo " + trace::hexAndText(heard) + " namiesto „QOLMEX70“.";
            result.fix = t::wrongIdentityFix;
        }
    }
    DoctorCheck& check = report.add("identity", t::identity);
    check.verdict = result.verdict;
    check.found = result.found;
    check.fix = result.fix;
}

} // namespace qolmex::cli
