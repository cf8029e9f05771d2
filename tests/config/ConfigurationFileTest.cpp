#include "config/ConfigurationFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace qolmex {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t crlf; (crlf = bytes.find("\r\n", start)) != std::string::npos; start = crlf + 2)
        lines.push_back(bytes.substr(start, crlf - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends in CR LF";
    return lines;
}

// Every field with a value of its own, including texts that are no number.
void fillEveryField(Configuration& c) {
    for (FieldId id = 0; id < c.size(); ++id) {
        const FieldDef& def = c.definition(id);
        switch (def.kind) {
        case FieldKind::PhoneNumber:
            c.setText(id, "+4219" + std::to_string(id));
            break;
        case FieldKind::SmsText:
            c.setText(id, "Zapni \"rele\" " + def.name + " \xe8\x9a ;#=");
            break;
        case FieldKind::DtmfCode:
            c.setText(id, "12" + std::to_string(id));
            break;
        case FieldKind::WholeNumber:
            c.setText(id, def.number == 2 ? "abc" : "300");
            break;
        case FieldKind::Polarity:
            break;
        }
    }
    c.setChosen("rbVST1_2", true);
    c.setChosen("rbVST2_1", true);
}

class ConfigurationFileTest : public ::testing::Test {
protected:
    Configuration opened(const std::string& content) {
        writeBytes(name, content);
        Configuration c;
        ConfigurationFile::load(c, name);
        return c;
    }

    TempFolder folder;
    std::string name = folder.file("unit.kvx");
};

TEST_F(ConfigurationFileTest, SaveThenOpenGivesBackEveryField) {
    Configuration saved;
    fillEveryField(saved);
    ConfigurationFile::save(saved, name);

    Configuration back;
    back.setChosen("rbVST1_1", true);
    back.setChosen("rbVST2_2", true);
    ConfigurationFile::load(back, name);
    EXPECT_TRUE(back == saved);
    EXPECT_TRUE(back.isChosen("rbVST1_2"));
    EXPECT_FALSE(back.isChosen("rbVST1_1"));

    // A save of what was opened writes the same bytes again.
    const std::string first = readBytes(name);
    ConfigurationFile::save(back, name);
    EXPECT_EQ(readBytes(name), first);
}

// Names are UTF-8; on Windows they must reach the file system as the same letters.
TEST_F(ConfigurationFileTest, ANameWithSlovakLettersIsSavedReplacedAndOpened) {
    const std::string place = folder.file("Košice");
    std::filesystem::create_directory(testing::pathOf(place));
    const std::string slovak = place + "/zákazník č. 1.kvx";
    Configuration first;
    first.setText("editTCV1_1", "0905111");
    ConfigurationFile::save(first, slovak);
    Configuration second;
    second.setText("editTCV1_1", "0905222");
    ConfigurationFile::save(second, slovak);

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(testing::pathOf(place)))
        names.push_back(testing::utf8Of(entry.path().filename()));
    EXPECT_EQ(names, std::vector<std::string>{"zákazník č. 1.kvx"}) << "no temporary file left";
    Configuration back;
    ConfigurationFile::load(back, slovak);
    EXPECT_EQ(back.text("editTCV1_1"), "0905222");
}

TEST_F(ConfigurationFileTest, SmsTextsLoseOuterBlanksAndOnePairOfQuotes) {
    Configuration saved;
    saved.setText("memoSMSV1", "  Alarm  ");
    saved.setText("memoSMSV2", "\"Alarm\"");
    saved.setText("memoSMSNV1", "'A' and 'B'");
    // A line break ends what the file can hold; nothing after it turns into lines of its own.
    saved.setText("memoSMSZAP1", "ON\r\n[POV]\r\neditPOV1_1=666");
    ConfigurationFile::save(saved, name);

    Configuration back;
    ConfigurationFile::load(back, name);
    EXPECT_EQ(back.text("memoSMSV1"), "Alarm");
    EXPECT_EQ(back.text("memoSMSV2"), "Alarm");
    EXPECT_EQ(back.text("memoSMSNV1"), "A' and 'B");
    EXPECT_EQ(back.text("memoSMSZAP1"), "ON");
    EXPECT_EQ(back.text("editPOV1_1"), "");
    EXPECT_EQ(linesOf(readBytes(name)).size(), 207u + 20u);
}

TEST_F(ConfigurationFileTest, ASavedFileStartsAndEndsAsShownToUsers) {
    Configuration c;
    c.setText("editTCV1_1", "0900000001");
    ConfigurationFile::save(c, name);

    const auto lines = linesOf(readBytes(name));
    ASSERT_EQ(lines.size(), 227u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{"[TCV]", "editTCV1_1=0900000001", "editTCV1_2=",
                                        "editTCV1_3="}));
    EXPECT_EQ(std::vector<std::string>(lines.end() - 5, lines.end()),
              (std::vector<std::string>{"[AKT-DEAKT]", "rbVST1_1=1", "rbVST1_2=0", "rbVST2_1=1",
                                        "rbVST2_2=0"}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "[POO1_]"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "MemoDTMFVYP2="), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "SpinCASRELE1=0"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "spinDELAY2=1"), lines.end());
}

// The whole file, written out here section by section rather than from the field table, so a
// table with two sections or two keys swapped cannot pass by reading its own file back.
TEST_F(ConfigurationFileTest, ASavedFileMatchesItsFormByteForByte) {
    Configuration c;
    std::string expected;
    const auto section = [&](const char* title) { expected += std::string("[") + title + "]\r\n"; };
    const auto entry = [&](const std::string& key, const std::string& value) {
        c.setText(key, value);
        expected += key + "=" + value + "\r\n";
    };
    // Each key's value tells which key it belongs to.
    const auto list = [&](const std::string& prefix, int positions, const char* tag) {
        for (int p = 1; p <= positions; ++p)
            entry(prefix + std::to_string(p), "+" + std::string(tag) + std::to_string(p));
    };
    const auto choice = [&](const std::string& key, bool chosen) {
        if (chosen)
            c.setChosen(key, true);
        expected += key + (chosen ? "=1\r\n" : "=0\r\n");
    };

    section("TCV"), list("editTCV1_", 8, "11"), list("editTCV2_", 8, "12");
    section("POO1_"), list("editPOO1_", 8, "21");
    section("POO2_"), list("editPOO2_", 8, "22");
    section("SMSV"), entry("memoSMSV1", "v1"), entry("memoSMSV2", "v2");
    section("SMSNV"), entry("memoSMSNV1", "nv1"), entry("memoSMSNV2", "nv2");
    section("SMSZAP"), entry("memoSMSZAP1", "zap1"), entry("memoSMSZAP2", "zap2");
    section("SMSVYP"), entry("memoSMSVYP1", "vyp1"), entry("memoSMSVYP2", "vyp2");
    section("DTMFZAP"), entry("MemoDTMFZAP1", "31"), entry("MemoDTMFZAP2", "32");
    section("DTMFVYP"), entry("MemoDTMFVYP1", "41"), entry("MemoDTMFVYP2", "42");
    section("TCZSSMS"), list("editTCZSSMS_", 8, "5");
    section("POV"), list("editPOV1_", 64, "61"), list("editPOV2_", 64, "62");
    section("PZS"), list("editPZS1_", 8, "71"), list("editPZS2_", 8, "72");
    section("INTERVAL"), entry("spinINTERVAL", "180");
    section("CAS"), entry("spinCAS", "23");
    section("CASRELE1"), entry("SpinCASRELE1", "201");
    section("CASRELE2"), entry("SpinCASRELE2", "202");
    section("DELAY1"), entry("spinDELAY1", "101");
    section("DELAY2"), entry("spinDELAY2", "102");
    section("KREDIT"), entry("spinKREDIT", "9");
    section("AKT-DEAKT");
    choice("rbVST1_1", false), choice("rbVST1_2", true), choice("rbVST2_1", true);
    choice("rbVST2_2", false);

    ConfigurationFile::save(c, name);
    EXPECT_EQ(readBytes(name), expected);
}

TEST_F(ConfigurationFileTest, AByteOrderMarkHidesNoSectionAndSurvivesASave) {
    const std::string bom = "\xEF\xBB\xBF";
    std::string content = bom + "[TCV]\r\n";
    for (int p = 1; p <= 8; ++p)
        content += "editTCV1_" + std::to_string(p) + "=1" + std::to_string(p) + "\r\n" +
                   "editTCV2_" + std::to_string(p) + "=2" + std::to_string(p) + "\r\n";
    const Configuration c = opened(content);
    EXPECT_EQ(c.text("editTCV1_1"), "11");
    EXPECT_EQ(c.text("editTCV2_8"), "28");

    ConfigurationFile::save(c, name);
    const std::string saved = readBytes(name);
    EXPECT_EQ(saved.substr(0, bom.size() + 7), bom + "[TCV]\r\n");
    EXPECT_EQ(saved.find("[TCV]", bom.size() + 1), std::string::npos) << "a second [TCV]";
    Configuration back;
    ConfigurationFile::load(back, name);
    EXPECT_TRUE(back == c);
}

TEST_F(ConfigurationFileTest, ForeignSectionsAndKeysSurviveASave) {
    const std::string foreign = "; written by hand\r\n[Notes]\r\ncustomer=Novak\r\n\r\n";
    writeBytes(name, foreign + "[tcv]\nEDITTCV1_1=old\nremark=keep me\n\n[KREDIT]\nspinKREDIT=9");
    Configuration c;
    c.setText("editTCV1_1", "0911");
    ConfigurationFile::save(c, name);

    const std::string saved = readBytes(name);
    EXPECT_EQ(saved.substr(0, foreign.size()), foreign);
    EXPECT_NE(saved.find("[tcv]\nEDITTCV1_1=0911\r\nremark=keep me\neditTCV1_2=\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find("[KREDIT]\nspinKREDIT=0\r\n"), std::string::npos);
    Configuration back;
    ConfigurationFile::load(back, name);
    EXPECT_TRUE(back == c);
}

TEST_F(ConfigurationFileTest, FindsKeysAndSectionsInOtherLetterCase) {
    const Configuration c = opened("[TCV]\r\nEDITTCV1_1=1\r\n[smsv]\r\nmemosmsv1=Hi\r\n"
                                   "[dtmfzap]\r\nmemodtmfzap2=55\r\n[CASRELE2]\r\nSPINCASRELE2=7\r\n");
    EXPECT_EQ(c.text("editTCV1_1"), "1");
    EXPECT_EQ(c.text("memoSMSV1"), "Hi");
    EXPECT_EQ(c.text("MemoDTMFZAP2"), "55");
    EXPECT_EQ(c.text("SpinCASRELE2"), "7");
}

TEST_F(ConfigurationFileTest, AListKeepsOnlyTheRunBeforeAMissingKey) {
    const Configuration c = opened("[TCV]\r\neditTCV1_1=1\r\neditTCV1_2=2\r\neditTCV1_4=4\r\n"
                                   "editTCV1_5=5\r\neditTCV1_8=8\r\neditTCV2_1=21\r\n");
    EXPECT_EQ(c.text("editTCV1_2"), "2");
    EXPECT_EQ(c.text("editTCV1_3"), "");
    EXPECT_TRUE(c.isEnabled("editTCV1_3"));
    for (int k = 4; k <= 8; ++k) {
        EXPECT_EQ(c.text("editTCV1_" + std::to_string(k)), "");
        EXPECT_FALSE(c.isEnabled("editTCV1_" + std::to_string(k)));
    }
    EXPECT_EQ(c.text("editTCV2_1"), "21");
}

TEST_F(ConfigurationFileTest, PolarityIsChosenOnlyByANonZeroInteger) {
    Configuration c = opened("[AKT-DEAKT]\r\nrbVST1_1=1\r\nrbVST1_2=1\r\nrbVST2_1=0\r\n");
    EXPECT_FALSE(c.isChosen("rbVST1_1"));
    EXPECT_TRUE(c.isChosen("rbVST1_2"));
    EXPECT_FALSE(c.isChosen("rbVST2_1"));
    EXPECT_FALSE(c.isChosen("rbVST2_2"));

    const auto chosenBy = [this](const std::string& text) {
        return opened("[AKT-DEAKT]\r\nrbVST2_2=" + text + "\r\n").isChosen("rbVST2_2");
    };
    for (const char* yes : {"$1F", "0x10", "0XaB", "-1", "7", "\"1\"", "$0001"})
        EXPECT_TRUE(chosenBy(yes)) << yes;
    for (const char* no : {"", "0", "$0", "0x", "$", "yes", "1.0", "0x1G", "- 1", "-0"})
        EXPECT_FALSE(chosenBy(no)) << no;
}

TEST_F(ConfigurationFileTest, WholeNumberTextsAreSetUnchanged) {
    const Configuration c = opened("[CASRELE1]\r\nSpinCASRELE1=300\r\n[CAS]\r\nspinCAS=soon\r\n");
    EXPECT_EQ(c.text("SpinCASRELE1"), "300");
    EXPECT_EQ(c.text("spinCAS"), "soon");
    EXPECT_EQ(c.text("spinDELAY1"), "");
}

TEST_F(ConfigurationFileTest, TextsOfSeveralLinesGetCrLf) {
    const Configuration c = opened("[SMSV]\nmemoSMSV1=a\rb\r\n");
    EXPECT_EQ(c.text("memoSMSV1"), "a\r\nb");
}

TEST_F(ConfigurationFileTest, OpeningAMissingFileEmptiesEveryField) {
    Configuration c;
    fillEveryField(c);
    ConfigurationFile::load(c, folder.file("none.kvx"));
    for (FieldId id = 0; id < c.size(); ++id) {
        if (c.definition(id).kind == FieldKind::Polarity)
            EXPECT_FALSE(c.isChosen(id)) << c.definition(id).name;
        else
            EXPECT_EQ(c.text(id), "") << c.definition(id).name;
    }
}

} // namespace
} // namespace qolmex
