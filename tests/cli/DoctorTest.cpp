// The doctor's checks that work through a D2XX library's device list, as on Windows, and on a
// unit the options name.
#include "CliFixture.h"

namespace qolmex::cli {
namespace {

std::vector<std::string> namesAndVerdicts(const nlohmann::json& report) {
    std::vector<std::string> lines;
    for (const auto& c : report["checks"])
        lines.push_back(c["name"].get<std::string>() + " " + c["verdict"].get<std::string>());
    return lines;
}

TEST_F(CliTest, TheDoctorOnWindowsListsWhatTheVendorLibrarySeesAndHearsTheUnit) {
    // The stand-in library lists two bridges described as the unit's: FAKE0001, and FAKEHELD,
    // which another program holds.
    VirtualUnit& unit = access.addUnit("FAKE0001");
    doctor.windowsChecks = true;
    doctor.vendorLibrary = FAKE_FTD2XX_PATH;
    EXPECT_EQ(run({"--json", "doctor"}), 0) << out.str();
    EXPECT_EQ(namesAndVerdicts(json()),
              (std::vector<std::string>{"vendor-library ok", "bridge ok", "bridge fail",
                                        "description ok", "identity ok"}));
    EXPECT_NE(json()["checks"][0]["found"].get<std::string>().find("verzia 1.4.27"),
              std::string::npos);
    EXPECT_NE(json()["checks"][2]["found"].get<std::string>().find("FAKEHELD"), std::string::npos);
    EXPECT_EQ(unit.successfulOpens(), 2u);

    doctor.vendorLibrary = folder.file("missing-ftd2xx.dll");
    EXPECT_EQ(run({"--json", "doctor"}), 3);
    EXPECT_EQ(namesAndVerdicts(json()),
              (std::vector<std::string>{"vendor-library fail", "bridge skipped",
                                        "description skipped", "identity skipped"}));
    EXPECT_NE(json()["checks"][0]["fix"].get<std::string>().find("CDM"), std::string::npos);
    EXPECT_EQ(unit.successfulOpens(), 2u);
}

TEST_F(CliTest, TheDoctorOnANamedUnitChecksItsBridgeAndIdentity) {
    access.addUnit("QX1", {.wrongIdentity = true});
    EXPECT_EQ(run({"--virtual", "doctor"}), 3);
    EXPECT_NE(out.str().find("[CHYBA] Identita zariadenia: Prišlo 51 4F 4C 4D 45 58 36 30"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("        Náprava: Pripojte zariadenie QOLMEX 70"), std::string::npos);
    access.unit(0).setFaults({});
    EXPECT_EQ(run({"--virtual", "doctor"}), 0);
}

} // namespace
} // namespace qolmex::cli
