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
