#include "DoctorChecks.h"
#include "DoctorTexts.h"
#include "PortAccess.h"
#include "SystemRoot.h"
#include "UdevRules.h"
#include "UsbDeviceProbe.h"
#include "usb/DeviceConnection.h"
#include "usb/VendorD2xx.h"

#include <algorithm>
#include <cstdio>

namespace qolmex::cli {
namespace {

using Verdict = DoctorCheck::Verdict;
namespace t = doctorTexts;

std::string ids(const AttachedUsbDevice& d) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", d.vendorId & 0xFFFF, d.productId & 0xFFFF);
    return text;
}

void fail(DoctorCheck& check, std::string found, std::string fix) {
    check.verdict = Verdict::Fail;
    check.found = std::move(found);
    check.fix = std::move(fix);
}

// Everything the checks share: the system, its rules and devices, and the unit's bridge.
class LinuxDoctor {
public:
    LinuxDoctor(DoctorReport& report, const DoctorSetup& setup, const std::string& wantedSerial)
        : report_(report), setup_(setup), system_(setup), rules_(system_),
          devices_(usbDevices(system_)), wantedSerial_(wantedSerial) {}

    void run(UnitAccess& access) {
        usbBridge();
        description();
        driver();
        portAccess();
        modemManager();
        brltty();
        portHolder();
        latency();
        vendorLibraryCheck(report_, setup_, false);
        // Opened by its serial number, so that no other bridge is touched; by its description
        // only when no other USB device has the same.
        if (unit_ && unit_->serialNumber.empty() && sameDescriptions() > 1) {
            DoctorCheck& check = report_.add("identity", t::identity);
            return fail(check,
                        "Viac prevodníkov má popis „FT232R USB UART“ a tento nemá sériové "
                        "číslo.",
                        t::severalBridgesFix);
        }
        identityCheck(report_, access, unit_ ? unit_->serialNumber : std::string(),
                      {"usb-bridge", "description", "driver", "access", "port-holder"});
    }

private:
    bool wanted(const AttachedUsbDevice& d) const {
        return wantedSerial_.empty() || d.serialNumber == wantedSerial_;
    }

    void usbBridge() {
        DoctorCheck& check = report_.add("usb-bridge", t::usbBridge);
        std::vector<const AttachedUsbDevice*> ftdi, ft232r;
        for (const AttachedUsbDevice& d : devices_) {
            if (d.ftdi())
                ftdi.push_back(&d);
            if (d.ft232r() && wanted(d))
                ft232r.push_back(&d);
        }
        if (ftdi.empty())
            return fail(check, t::noFtdi, t::noFtdiFix);
        if (ft232r.empty()) {
            auto erased = std::find_if(ftdi.begin(), ftdi.end(),
                                       [](const auto* d) { return d->productId == 0; });
            if (erased != ftdi.end())
                return fail(check,
                            "Prevodník FTDI na USB " + (*erased)->name +
                                " hlási produkt 0000: jeho konfigurácia (EEPROM) je vymazaná "
                                "alebo poškodená a neobslúži ho žiadny ovládač.",
                            t::erasedFix);
            return fail(
                check,
                "Prevodník FTDI " + ids(*ftdi[0]) + " na USB " + ftdi[0]->name + " nie je FT232R" +
                    (wantedSerial_.empty() ? "" : " so sériovým číslom " + wantedSerial_) + ".",
                t::notFt232rFix);
        }
        check.found =
            "FT232R (0403:6001) na USB " + ft232r[0]->name +
            (ft232r[0]->serialNumber.empty() ? "" : ", sériové číslo " + ft232r[0]->serialNumber);
        if (ft232r.size() > 1)
            check.found += "; pripojených FT232R: " + std::to_string(ft232r.size());
    }

    void description() {
        if (report_.skipUnless("description", t::description, {"usb-bridge"}))
            return;
        DoctorCheck& check = report_.add("description", t::description);
        const AttachedUsbDevice* other = nullptr;
        for (const AttachedUsbDevice& d : devices_) {
            if (!d.ft232r() || !wanted(d))
                continue;
            if (d.description == DeviceConnection::bridgeDescription) {
                unit_ = &d;
                check.found = "„" + d.description + "“";
                return;
            }
            if (!other)
                other = &d;
        }
        fail(check,
             "FT232R na USB " + other->name + " hlási popis „" + other->description +
                 "“ namiesto „FT232R USB UART“.",
             t::wrongDescriptionFix);
    }

    void driver() {
        if (report_.skipUnless("driver", t::driver, {"description"}))
            return;
        DoctorCheck& check = report_.add("driver", t::driver);
        const std::string brlttyRule = rules_.brlttyRuleForFt232r();
        if (!unit_->tty.empty()) {
            check.found = (unit_->driver.empty() ? std::string("ovládač") : unit_->driver) +
                          ", port /dev/" + unit_->tty;
            return;
        }
        const std::string symptom =
            unit_->driver.empty()
                ? "Na prevodník nie je pripojený žiadny ovládač jadra, port /dev/ttyUSB* nevznikol."
                : "Prevodník drží ovládač " + unit_->driver + ", port /dev/ttyUSB* nevznikol.";
        if (!brlttyRule.empty())
            return fail(check, symptom, t::causeBelow + std::string(t::brltty) + "“.");
        if (unit_->driver.empty() && VendorD2xx(vendorLibraryName()).loaded()) {
            check.found = "Bez ovládača jadra; prevodník otvorí knižnica D2XX.";
            return;
        }
        fail(check, symptom, unit_->driver.empty() ? t::noDriverFix : t::usbfsFix);
    }

    void portAccess() {
        if (report_.skipUnless("access", t::access, {"driver"}))
            return;
        DoctorCheck& check = report_.add("access", t::access);
        const std::string node = unit_->node();
        const PortAccess access = cli::portAccess(system_, node);
        const bool ourRule = rules_.installed(UdevRules::ours);
        const std::string rule = std::string("; pravidlo udev programu ") +
                                 (ourRule ? "je nainštalované" : "nie je nainštalované");
        if (!access.exists)
            return fail(check, node + " neexistuje" + rule + ".", t::replugFix);
        if (access.granted) {
            check.found = node + " (" + access.owner + "): " + access.how + rule + ".";
            return;
        }
        const std::string& user = system_.user().name;
        fail(check,
             "Používateľ " + user + " nemôže otvoriť " + node + " (" + access.owner + ")" + rule +
                 ".",
             (ourRule ? t::accessFixWithRule : t::accessFixWithoutRule) + access.group +
                 " (sudo usermod -aG " + access.group + " " + user + ") a znova sa prihláste.");
    }

    void modemManager() {
        DoctorCheck& check = report_.add("modemmanager", t::modemManager);
        const auto processes = system_.processes();
        const bool running = std::any_of(processes.begin(), processes.end(),
                                         [](const auto& p) { return p.name == "ModemManager"; });
        if (!running) {
            check.found = "ModemManager nebeží.";
            return;
        }
        const bool ourRule = rules_.installed(UdevRules::ours);
        // The udev database says whether the port got the tag; without a port, the rules do.
        const std::string device = unit_ && !unit_->tty.empty()
                                       ? system_.firstLine("/sys/class/tty/" + unit_->tty + "/dev")
                                       : std::string();
        const bool tagged =
            device.empty()
                ? rules_.setsForFt232r("ID_MM_DEVICE_IGNORE")
                : system_.contents("/run/udev/data/c" + device).find("E:ID_MM_DEVICE_IGNORE=1") !=
                      std::string::npos;
        if (tagged) {
            check.found = "ModemManager beží, ale prevodník má značku ID_MM_DEVICE_IGNORE, takže "
                          "si ho nevšíma.";
            return;
        }
        fail(check,
             "ModemManager beží a prevodník nemá značku ID_MM_DEVICE_IGNORE: ModemManager ho môže "
             "skúšať ako modem a obsadzovať jeho port.",
             ourRule ? t::modemManagerFixWithRule : t::modemManagerFixWithoutRule);
    }

    void brltty() {
        DoctorCheck& check = report_.add("brltty", t::brltty);
        const bool installed = system_.exists("/usr/bin/brltty") || system_.exists("/bin/brltty") ||
                               system_.exists("/usr/sbin/brltty") || system_.exists("/sbin/brltty");
        if (!installed) {
            check.found = "brltty nie je nainštalovaný.";
            return;
        }
        const std::string rule = rules_.brlttyRuleForFt232r();
        if (rule.empty()) {
            check.found = "brltty je nainštalovaný, čip 0403:6001 však neobsadzuje.";
            return;
        }
        fail(check,
             "brltty je nainštalovaný a jeho pravidlo udev " + rule +
                 " obsadzuje čip 0403:6001 ako brailový riadok.",
             t::brlttyFix);
    }

    void portHolder() {
        if (report_.skipUnless("port-holder", t::portHolder, {"driver"}))
            return;
        DoctorCheck& check = report_.add("port-holder", t::portHolder);
        if (unit_->tty.empty()) {
            check.found = "Port nevznikol, prevodník otvára knižnica D2XX.";
            return;
        }
        const auto holder = system_.holderOf(unit_->node());
        if (!holder) {
            check.found = "Port /dev/" + unit_->tty + " nemá otvorený žiadny iný program.";
            return;
        }
        const std::string found = "Port /dev/" + unit_->tty + " má otvorený " + holder->name +
                                  " (PID " + std::to_string(holder->pid) + ").";
        // A cause reported above is named, not told again.
        for (const auto& [cause, program] :
             {std::pair{"modemmanager", "ModemManager"}, std::pair{"brltty", "brltty"}}) {
            const DoctorCheck* reported = report_.find(cause);
            if (reported && reported->failed() && holder->name == program)
                return fail(check, found, t::causeAbove + reported->title + "“.");
        }
        fail(check, found,
             "Ukončite " + holder->name + " (PID " + std::to_string(holder->pid) +
                 ") a skúste to znova.");
    }

    void latency() {
        if (report_.skipUnless("latency-timer", t::latency, {"driver"}))
            return;
        DoctorCheck& check = report_.add("latency-timer", t::latency);
        if (unit_->tty.empty()) {
            check.found = "Nastaví ho knižnica D2XX pri pripojení.";
            return;
        }
        const std::string file = "/sys/class/tty/" + unit_->tty + "/device/latency_timer";
        const std::string value = system_.firstLine(file);
        if (value.empty() || value == "1") {
            check.found = value.empty() ? "Nedá sa zistiť." : "1 ms.";
            return;
        }
        check.verdict = Verdict::Warning;
        check.found = value + " ms: každá odpoveď zariadenia sa o toľko oneskorí (program ho pri "
                              "pripojení zníži, ak môže).";
        check.fix = t::latencyFix + std::string("/sys/bus/usb-serial/devices/") + unit_->tty +
                    "/latency_timer";
    }

    std::string vendorLibraryName() const {
        return setup_.vendorLibrary.empty() ? VendorD2xx::defaultLibraryName()
                                            : setup_.vendorLibrary;
    }

    long sameDescriptions() const {
        return std::count_if(devices_.begin(), devices_.end(), [](const AttachedUsbDevice& d) {
            return d.description == DeviceConnection::bridgeDescription;
        });
    }

    DoctorReport& report_;
    const DoctorSetup& setup_;
    SystemRoot system_;
    UdevRules rules_;
    std::vector<AttachedUsbDevice> devices_;
    std::string wantedSerial_;
    const AttachedUsbDevice* unit_ = nullptr;
};

} // namespace

void linuxChecks(DoctorReport& report, const DoctorSetup& setup, UnitAccess& access,
                 const std::string& wantedSerial) {
    LinuxDoctor(report, setup, wantedSerial).run(access);
}

} // namespace qolmex::cli
