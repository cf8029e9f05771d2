#include "CliFixture.h"
#include "cli/SettingsFiles.h"
#include "config/FieldDef.h"
#include "sim/DemoConfiguration.h"

#include <set>

namespace qolmex::cli {
namespace {

Configuration withSlovakText() {
    Configuration c;
    c.setText("memoSMSV1", "Poplach v \x9e" "ivo\xe8\xed" "choch"); // Windows-1250 bytes
    c.setText("editPOV1_1", "111");
    c.setText("editPOV1_2", "222");
    c.setText("editPOV1_3", "333");
    return c;
}

TEST_F(CliTest, DiffOfOneListPositionReportsExactlyThatSetting) {
    Configuration other = withSlovakText();
    other.setText("editPOV1_3", "334");
    EXPECT_EQ(run({"diff", saved(withSlovakText(), "a.kvx"), saved(other, "b.kvx")}), 1);
    EXPECT_EQ(out.str(),
              "editPOV1_3\t3. číslo na ovládanie 1. výstupu prezvonením\t\"333\"\t\"334\"\n");

    EXPECT_EQ(run({"--json", "diff", folder.file("a.kvx"), folder.file("b.kvx")}), 1);
    const nlohmann::json d = json()["differences"];
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0]["label"], "3. číslo na ovládanie 1. výstupu prezvonením");
}

TEST_F(CliTest, DiffPrintsSlovakLettersAndComparesNumbersByValue) {
    Configuration other;
    other.setText("spinCAS", "07");
    Configuration seven;
    seven.setText("spinCAS", "7");
    EXPECT_EQ(run({"diff", saved(seven, "seven.kvx"), saved(other, "other.kvx")}), 0);

    EXPECT_EQ(run({"--json", "diff", saved(withSlovakText(), "a.kvx"), saved(seven, "b.kvx")}), 1);
    const nlohmann::json d = json()["differences"];
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d[0]["name"], "memoSMSV1");
    EXPECT_EQ(d[0]["a"], "Poplach v živočíchoch");
}

TEST_F(CliTest, AFileAndTheImageMadeOfItAreTheSameSettings) {
    const std::string kvx = saved(demoConfiguration(), "demo.kvx");
    const std::string bin = folder.file("demo.bin");
    EXPECT_EQ(run({"image", kvx, "-o", bin}), 0) << err.str();
    const VirtualUnit::Memory memory = unitMemoryOf(demoConfiguration());
    EXPECT_EQ(testing::readBytes(bin), std::string(memory.begin(), memory.end()));
    EXPECT_EQ(run({"diff", kvx, bin}), 0) << out.str();
    EXPECT_EQ(run({"diff", "demo.kvx-missing", bin}), 2);

    testing::writeBytes(folder.file("short.bin"), std::string(100, '\0'));
    EXPECT_EQ(run({"show", folder.file("short.bin")}), 2);
}

TEST_F(CliTest, ShowListsEveryFieldOnceGroupedWithTheSlovakLetters) {
    EXPECT_EQ(run({"--json", "show", saved(withSlovakText(), "a.kvx")}), 0);
    std::multiset<std::string> names;
    const nlohmann::json report = json();
    for (const auto& line : report["settings"])
        names.insert(line["name"].get<std::string>());
    EXPECT_EQ(names.size(), fieldTable().size());
    for (const FieldDef& field : fieldTable())
        EXPECT_EQ(names.count(field.name), 1u) << field.name;

    EXPECT_EQ(run({"show", folder.file("a.kvx")}), 0);
    EXPECT_EQ(out.str().rfind("[Tel. čísla pre zasielanie SMS - 1. vstup]\n", 0), 0u);
    EXPECT_NE(out.str().find("memoSMSV1\tText SMS zaslaný pri aktivácii 1. vstupu\t"
                             "\"Poplach v živočíchoch\"\n"),
              std::string::npos);
}

TEST_F(CliTest, JsonCarriesQuotesBackslashesAndControlBytesOfATextIntact) {
    Configuration odd;
    odd.setText("memoSMSVYP2", "a\"b\\c\td\x01\x7f\x8a"); // 0x8A is "Š"
    RawImage raw = encodeToImage(odd);
    const std::string bin = folder.file("odd.bin");
    writeImageFile(bin, raw);
    EXPECT_EQ(run({"--json", "show", bin}), 0);
    std::string value;
    const nlohmann::json report = json();
    for (const auto& line : report["settings"])
        if (line["name"] == "memoSMSVYP2")
            value = line["value"];
    EXPECT_EQ(value, "a\"b\\c\td\x01\x7fŠ");
}

TEST_F(CliTest, CheckAndImageRefuseWhatSendWouldRefuse) {
    Configuration bad;
    bad.setText("spinCAS", "24");
    const std::string path = saved(bad, "bad.kvx");
    EXPECT_EQ(run({"check", path}), 1);
    EXPECT_EQ(
        err.str(),
        "Pole „Tel. čísla pre stavové SMS, Čas zasielania (hod.)“ musí obsahovať celé číslo od "
        "0 do 23, iné zariadenie neprijme.\n");
    EXPECT_EQ(run({"image", path, "-o", folder.file("bad.bin")}), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("bad.bin")));
    access.addUnit("QX1");
    EXPECT_EQ(run({"--json", "send", path}), 1);
    EXPECT_EQ(json()["result"], "refused");
    EXPECT_EQ(access.unit(0).successfulOpens(), 0u);
    EXPECT_EQ(run({"check", saved(demoConfiguration(), "good.kvx")}), 0);
}

TEST_F(CliTest, SheetOfAFileAnImageOrTheUnitWithTheUnitsSerialNumber) {
    const std::string html = folder.file("sheet.html");
    const auto sheet = [&] { return testing::readBytes(html); };
    const auto has = [](const std::string& text, const char* part) {
        return text.find(part) != std::string::npos;
    };
    EXPECT_EQ(run({"sheet", saved(withSlovakText(), "a.kvx"), "-o", html}), 0) << err.str();
    EXPECT_TRUE(has(sheet(), "<li>333</li></ol>"));
    EXPECT_TRUE(has(sheet(), "Poplach v živočíchoch"));
    EXPECT_TRUE(has(sheet(), "Dátum: 8. 12. 2026</p>"));
    EXPECT_FALSE(has(sheet(), "Sériové číslo"));

    const std::string bin = folder.file("demo.bin");
    writeImageFile(bin, encodeToImage(demoConfiguration()));
    EXPECT_EQ(run({"sheet", bin, "-o", html}), 0) << err.str();
    EXPECT_TRUE(has(sheet(), "<li>0911222333</li>"));

    storeInUnit(withSlovakText(), access.addUnit("QX7"));
    EXPECT_EQ(run({"sheet", "unit", "-o", html}), 0) << err.str();
    EXPECT_TRUE(has(sheet(), "Sériové číslo: <b>QX7</b>"));
    EXPECT_TRUE(has(sheet(), "<li>333</li></ol>"));

    EXPECT_EQ(run({"sheet", folder.file("missing.kvx"), "-o", html}), 2);
    EXPECT_EQ(run({"sheet", bin, "-o", folder.file("no-such-folder/s.html")}), 2);
    EXPECT_NE(err.str().find("no-such-folder"), std::string::npos);
    EXPECT_EQ(run({"sheet", bin}), 2);
}

TEST_F(CliTest, UsageErrorsEndWithTwo) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {},
             {"flash"},
             {"image", "a.kvx"},
             {"read"},
             {"diff", "a.kvx"},
             {"--serial", "A", "--virtual", "list"},
             {"batch", "a.kvx", "--count", "0"},
             {"show", "a.kvx", "--bogus"},
         })
        EXPECT_EQ(run(args), 2) << ::testing::PrintToString(args);
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("batch"), std::string::npos);
}

} // namespace
} // namespace qolmex::cli
