// The doctor's Linux checks against a system laid out in a folder: one unit's bridge whose
// every part is in order, then one part broken at a time.
#include "CliFixture.h"
#include "usb/TraceFormat.h"

#include <sys/stat.h>
#include <unistd.h>

namespace qolmex::cli {
namespace {

namespace fs = std::filesystem;

class Doctor : public CliTest {
public:
    void SetUp() override {
        unit = &access.addUnit("A10XYZ");
        layOut();
    }

    // A user in the port's group, the port's group "dialout".
    void layOut() {
        for (const auto& entry : fs::directory_iterator(root.path()))
            fs::remove_all(entry.path());
        doctor.systemRoot = root.path().string();
        doctor.user = SystemUser{54321, "jozef", {54321, static_cast<unsigned>(::getgid())}};
        doctor.vendorLibrary = root.file("no-libftd2xx.so");
        put("/etc/group", "dialout:x:" + std::to_string(::getgid()) + ":\n");
        bridge();
        put("/dev/ttyUSB0", "");
        ::chmod(root.file("dev/ttyUSB0").c_str(), 0660);
    }

    void leaveTheGroup() { doctor.user->groups = {54321}; }
    void put(const std::string& path, const std::string& contents) {
        const fs::path file = root.path() / path.substr(1);
        fs::create_directories(file.parent_path());
        std::ofstream(file) << contents;
    }
    void symlink(const std::string& path, const std::string& target) {
        const fs::path file = root.path() / path.substr(1);
        fs::create_directories(file.parent_path());
        fs::remove(file);
        fs::create_symlink(target, file);
    }
    void process(int pid, const std::string& name, const std::string& openFile = {}) {
        put("/proc/" + std::to_string(pid) + "/comm", name + "\n");
        if (!openFile.empty())
            symlink("/proc/" + std::to_string(pid) + "/fd/5", openFile);
    }
    // The unit's FT232R on USB 1-1.2, bound to ftdi_sio, its port ttyUSB0.
    void bridge(const std::string& product = "6001",
                const std::string& description = "FT232R USB UART",
                const std::string& driver = "ftdi_sio", bool tty = true) {
        const std::string dev = "/sys/bus/usb/devices/1-1.2";
        fs::remove_all(root.path() / dev.substr(1));
        fs::remove_all(root.path() / (dev + ":1.0").substr(1));
        put(dev + "/idVendor", "0403\n");
        put(dev + "/idProduct", product + "\n");
        put(dev + "/bcdDevice", "0600\n");
        put(dev + "/product", description + "\n");
        put(dev + "/serial", "A10XYZ\n");
        put(dev + "/busnum", "1\n");
        put(dev + "/devnum", "7\n");
        put(dev + ":1.0/bInterfaceNumber", "00\n");
        if (!driver.empty())
            symlink(dev + ":1.0/driver", "../../../../bus/usb-serial/drivers/" + driver);
        if (tty) {
            put(dev + ":1.0/ttyUSB0/latency_timer", "1\n");
            put("/sys/class/tty/ttyUSB0/dev", "188:0\n");
            put("/sys/class/tty/ttyUSB0/device/latency_timer", "1\n");
        }
    }
    void ourRule() {
        std::ifstream rule(std::string(PACKAGING_DIR) + "/60-qolmex70.rules");
        put("/usr/lib/udev/rules.d/60-qolmex70.rules",
            std::string(std::istreambuf_iterator<char>(rule), {}));
    }

    // Runs the doctor; the checks by name, and the one failure, if any, named.
    int check() {
        const int exit = run({"--json", "doctor"});
        checks.clear();
        const nlohmann::json report = json();
        for (const auto& c : report["checks"])
            checks[c["name"]] = c;
        return exit;
    }
    std::vector<std::string> failed() {
        std::vector<std::string> names;
        const nlohmann::json report = json();
        for (const auto& c : report["checks"])
            if (c["verdict"] == "fail")
                names.push_back(c["name"]);
        return names;
    }

    testing::TempFolder root;
    VirtualUnit* unit = nullptr;
    std::map<std::string, nlohmann::json> checks;
};

TEST_F(Doctor, AHealthySystemPassesEveryCheckAndHearsTheUnit) {
    ourRule();
    EXPECT_EQ(check(), 0) << out.str();
    const std::vector<std::string> order = {
        "usb-bridge", "description", "driver",        "access",         "modemmanager",
        "brltty",     "port-holder", "latency-timer", "vendor-library", "identity"};
    ASSERT_EQ(json()["checks"].size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(json()["checks"][i]["name"], order[i]);
        EXPECT_EQ(json()["checks"][i]["verdict"], "ok") << json()["checks"][i]["found"];
        EXPECT_EQ(json()["checks"][i]["fix"], "");
    }
    EXPECT_NE(checks["identity"]["found"].get<std::string>().find("|QOLMEX70|"), std::string::npos);
    EXPECT_NE(checks["driver"]["found"].get<std::string>().find("ftdi_sio, port /dev/ttyUSB0"),
              std::string::npos);
    EXPECT_NE(checks["access"]["found"].get<std::string>().find("je nainštalované"),
              std::string::npos);

    EXPECT_EQ(run({"doctor"}), 0); // the same as lines, a mark and a title each
    EXPECT_NE(out.str().find("[ OK ]  Identita zariadenia: Prišlo 51 4F 4C 4D"), std::string::npos)
        << out.str();
}

TEST_F(Doctor, AMissingBridgeIsTheOneCauseAndNoPortIsOpened) {
    fs::remove_all(root.path() / "sys");
    EXPECT_EQ(check(), 3);
    EXPECT_EQ(failed(), std::vector<std::string>{"usb-bridge"});
    EXPECT_EQ(checks["identity"]["verdict"], "skipped");
    EXPECT_NE(checks["access"]["found"].get<std::string>().find("„Prevodník na USB“"),
              std::string::npos); // named by the cause, not by the check skipped before it
    EXPECT_EQ(unit->successfulOpens(), 0u);
    EXPECT_NE(json()["message"].get<std::string>().find("neohlásilo"), std::string::npos);
}

TEST_F(Doctor, EachBrokenPartIsFoundWithItsFix) {
    struct Case {
        const char* what;
        std::function<void(Doctor&)> breakIt;
        std::vector<std::string> failing;
        std::string found; // in the first failing check
        std::string fix;
    };
    const Case cases[] = {
        {"erased chip",
         [](Doctor& d) { d.bridge("0000"); },
         {"usb-bridge"},
         "produkt 0000",
         "produkt 6001"},
        {"another chip",
         [](Doctor& d) { d.bridge("6015"); },
         {"usb-bridge"},
         "0403:6015 na USB 1-1.2 nie je FT232R",
         "FT232R (0403:6001)"},
        {"another description",
         [](Doctor& d) { d.bridge("6001", "USB Serial"); },
         {"description"},
         "„USB Serial“ namiesto",
         "„FT232R USB UART“"},
        {"no driver",
         [](Doctor& d) { d.bridge("6001", "FT232R USB UART", "", false); },
         {"driver"},
         "žiadny ovládač jadra",
         "modprobe ftdi_sio"},
        {"brltty took it",
         [](Doctor& d) {
             d.bridge("6001", "FT232R USB UART", "usbfs", false);
             d.put("/usr/bin/brltty", "");
             d.put("/usr/lib/udev/rules.d/85-brltty.rules",
                   "# braille\nENV{PRODUCT}==\"403/6001/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"ht\", "
                   "GOTO=\"brltty_usb_run\"\n");
         },
         {"driver", "brltty"},
         "ovládač usbfs",
         "kontrola nižšie, „brltty“"},
        {"outside the group",
         [](Doctor& d) { d.leaveTheGroup(); },
         {"access"},
         "jozef nemôže otvoriť /dev/ttyUSB0",
         "balík programu"},
        {"ModemManager holds the port",
         [](Doctor& d) { d.process(612, "ModemManager", "/dev/ttyUSB0"); },
         {"modemmanager", "port-holder"},
         "ID_MM_DEVICE_IGNORE",
         "systemctl stop ModemManager"},
        {"another program holds the port",
         [](Doctor& d) { d.process(812, "minicom", "/dev/ttyUSB0"); },
         {"port-holder"},
         "minicom (PID 812)",
         "Ukončite minicom (PID 812)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        layOut();
        c.breakIt(*this);
        EXPECT_EQ(check(), 3) << out.str();
        EXPECT_EQ(failed(), c.failing);
        const nlohmann::json& first = checks[c.failing.front()];
        EXPECT_NE(first["found"].get<std::string>().find(c.found), std::string::npos)
            << first["found"];
        EXPECT_NE(first["fix"].get<std::string>().find(c.fix), std::string::npos) << first["fix"];
        EXPECT_NE(checks["identity"]["verdict"], "ok");
        EXPECT_EQ(unit->successfulOpens(), 0u); // a cause found first is not tried on the port
    }
}

TEST_F(Doctor, TheRuleDecidesTheFixAndAHeldPortNamesACauseReportedAbove) {
    leaveTheGroup();
    ourRule();
    EXPECT_EQ(check(), 3);
    EXPECT_NE(checks["access"]["fix"].get<std::string>().find("pripojte zariadenie znova"),
              std::string::npos);
    EXPECT_NE(checks["access"]["fix"].get<std::string>().find("sudo usermod -aG dialout jozef"),
              std::string::npos);

    // With the rule in force the tag is in the udev database; a port plugged in before the
    // rule came lacks it.
    doctor.user->groups.push_back(::getgid());
    process(612, "ModemManager", "/dev/ttyUSB0");
    EXPECT_EQ(check(), 3);
    EXPECT_EQ(failed(), (std::vector<std::string>{"modemmanager", "port-holder"}));
    EXPECT_NE(checks["modemmanager"]["fix"].get<std::string>().find(
                  "Odpojte zariadenie a znova ho pripojte"),
              std::string::npos);
    EXPECT_EQ(checks["port-holder"]["fix"], "Príčinu uvádza kontrola „ModemManager“.");
    put("/run/udev/data/c188:0", "E:ID_MM_DEVICE_IGNORE=1\n");
    fs::remove_all(root.path() / "proc");
    process(612, "ModemManager");
    EXPECT_EQ(check(), 0);
}

TEST_F(Doctor, ALatencyTimerLeftAt16MsIsAWarningOnly) {
    put("/sys/class/tty/ttyUSB0/device/latency_timer", "16\n");
    EXPECT_EQ(check(), 0);
    EXPECT_EQ(checks["latency-timer"]["verdict"], "warning");
    EXPECT_NE(checks["latency-timer"]["fix"].get<std::string>().find(
                  "/sys/bus/usb-serial/devices/ttyUSB0/latency_timer"),
              std::string::npos);
}

TEST_F(Doctor, AUnitThatSaysNothingOrSomethingElseIsReportedAsHeard) {
    unit->setFaults({.silence = true});
    EXPECT_EQ(check(), 3);
    EXPECT_EQ(failed(), std::vector<std::string>{"identity"});
    EXPECT_NE(checks["identity"]["found"].get<std::string>().find("Za 2 s"), std::string::npos);
    unit->setFaults({.wrongIdentity = true});
    EXPECT_EQ(check(), 3);
    EXPECT_NE(checks["identity"]["found"].get<std::string>().find("|QOLMEX60|"), std::string::npos);
}

// Every D2XX call of the doctor goes into its trace: it may open only the unit's FT232R, by
// its serial number, and never write.
TEST_F(Doctor, OpensOnlyTheUnitsBridgeAndWritesNothing) {
    const std::string file = folder.file("doctor.trace");
    const auto tracedCalls = [&] {
        std::ifstream in(file);
        return trace::parse(in).events;
    };
    EXPECT_EQ(run({"--trace", file, "doctor"}), 0);
    int opens = 0;
    for (const trace::Event& e : tracedCalls()) {
        EXPECT_NE(e.kind, trace::Event::Kind::Write);
        if (e.kind == trace::Event::Kind::Open) {
            ++opens;
            EXPECT_EQ(e.arguments, "serial \"A10XYZ\"");
        }
    }
    EXPECT_GT(opens, 0);

    for (auto breakIt :
         {+[](Doctor& d) { d.bridge("6001", "USB Serial"); }, +[](Doctor& d) { d.bridge("6014"); },
          +[](Doctor& d) { d.leaveTheGroup(); }}) {
        breakIt(*this);
        EXPECT_EQ(run({"--trace", file, "doctor"}), 3);
        EXPECT_TRUE(tracedCalls().empty());
        bridge();
    }
    EXPECT_EQ(unit->successfulOpens(), 2u); // the presence probe and the open, once
}

} // namespace
} // namespace qolmex::cli
