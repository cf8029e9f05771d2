#include "config/Configuration.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace qolmex {
namespace {

TEST(FieldTable, HoldsEveryFieldOnceInFileOrder) {
    const auto& table = fieldTable();
    ASSERT_EQ(table.size(), 207u);
    std::map<FieldKind, int> kinds;
    std::set<std::string> names;
    for (const FieldDef& f : table) {
        ++kinds[f.kind];
        names.insert(f.name);
    }
    EXPECT_EQ(names.size(), 207u);
    EXPECT_EQ(kinds[FieldKind::PhoneNumber], 184);
    EXPECT_EQ(kinds[FieldKind::SmsText], 8);
    EXPECT_EQ(kinds[FieldKind::DtmfCode], 4);
    EXPECT_EQ(kinds[FieldKind::WholeNumber], 7);
    EXPECT_EQ(kinds[FieldKind::Polarity], 4);

    EXPECT_EQ(table.front().name, "editTCV1_1");
    EXPECT_EQ(table.front().section, "TCV");
    EXPECT_EQ(table[16].name, "editPOO1_1");
    EXPECT_EQ(table[16].section, "POO1_");
    EXPECT_EQ(table.back().name, "rbVST2_2");
    EXPECT_EQ(table.back().section, "AKT-DEAKT");
}

TEST(FieldTable, ListPositionsCarryTheirListNumber) {
    Configuration c;
    EXPECT_EQ(c.definition(c.id("editPOV2_64")).listNumber, 2);
    EXPECT_EQ(c.definition(c.id("editPOO1_8")).listNumber, 1);
    EXPECT_EQ(c.definition(c.id("editTCZSSMS_3")).listNumber, 0);
    EXPECT_EQ(c.definition(c.id("editPZS2_1")).position, 1);
    EXPECT_EQ(c.definition(c.id("editTCV1_5")).typingLimit, 14);
    EXPECT_EQ(c.definition(c.id("memoSMSZAP1")).typingLimit, 127);
    EXPECT_EQ(c.definition(c.id("spinCAS")).typingLimit, 2);
    EXPECT_EQ(c.definition(c.id("spinKREDIT")).typingLimit, 1);
}

TEST(Lookup, IgnoresLetterCaseButKeepsTheOwnSpelling) {
    Configuration c;
    const auto dtmf = c.find("MemoDTMFVYP2");
    ASSERT_TRUE(dtmf);
    EXPECT_EQ(c.find("memodtmfvyp2"), dtmf);
    EXPECT_EQ(c.find("MEMODTMFVYP2"), dtmf);
    EXPECT_EQ(c.definition(*dtmf).name, "MemoDTMFVYP2");
    EXPECT_EQ(c.definition(c.id("spinCASRELE1")).name, "SpinCASRELE1");
    EXPECT_EQ(c.definition(c.id(std::string("MemoSMSV") + "1")).name, "memoSMSV1");
}

TEST(Lookup, NamesBeyondAListFindNothing) {
    Configuration c;
    EXPECT_TRUE(c.find("editPOV1_64"));
    EXPECT_FALSE(c.find("editPOV1_65"));
    EXPECT_FALSE(c.find("editTCZSSMS_0"));
    EXPECT_FALSE(c.find("editTCZSSMS_9"));
    EXPECT_FALSE(c.find("editPOV3_1"));
    EXPECT_FALSE(c.find("editPOV1_01"));
    EXPECT_FALSE(c.find(""));
    EXPECT_THROW(c.id("editPOO3_1"), std::out_of_range);
}

TEST(InitialValues, AreThoseOfAFreshWindow) {
    Configuration c;
    EXPECT_EQ(c.text("spinDELAY1"), "1");
    EXPECT_EQ(c.text("spinDELAY2"), "1");
    for (const char* name : {"spinINTERVAL", "spinCAS", "SpinCASRELE1", "SpinCASRELE2", "spinKREDIT"})
        EXPECT_EQ(c.text(name), "0") << name;
    EXPECT_TRUE(c.isChosen("rbVST1_1"));
    EXPECT_TRUE(c.isChosen("rbVST2_1"));
    EXPECT_FALSE(c.isChosen("rbVST1_2"));
    EXPECT_FALSE(c.isChosen("rbVST2_2"));
    EXPECT_TRUE(c.text("memoSMSV1").empty());
    EXPECT_TRUE(c.isEnabled("editPOV1_1"));
    EXPECT_FALSE(c.isEnabled("editPOV1_2"));
    EXPECT_TRUE(c.isEnabled("memoSMSV1"));
}

TEST(Texts, AreBytesKeptExactly) {
    Configuration c;
    const std::string bytes = "\x9e\xe8\xfd  \"x\" \r\n\x01\xff ";
    c.setText("memoSMSZAP1", bytes);
    EXPECT_EQ(c.text("memoSMSZAP1"), bytes);
    const std::string longer(300, 'A'); // limits hold for typing only
    c.setText("editPOO1_1", longer);
    EXPECT_EQ(c.text("editPOO1_1"), longer);
}

TEST(Polarity, ChoosingOneUnchoosesItsSiblingOnly) {
    Configuration c;
    c.setChosen("rbVST1_2", true);
    EXPECT_TRUE(c.isChosen("rbVST1_2"));
    EXPECT_FALSE(c.isChosen("rbVST1_1"));
    EXPECT_TRUE(c.isChosen("rbVST2_1"));
    EXPECT_FALSE(c.isChosen("rbVST2_2"));

    c.setChosen("rbVST1_2", false); // unchoosing changes nothing else
    EXPECT_FALSE(c.isChosen("rbVST1_1"));
    EXPECT_FALSE(c.isChosen("rbVST1_2"));
    EXPECT_TRUE(c.isChosen("rbVST2_1"));
}

TEST(WholeNumbers, ValueComesFromTheTextWhichSetValueLimits) {
    Configuration c;
    c.setText("SpinCASRELE1", "300");
    EXPECT_EQ(c.text("SpinCASRELE1"), "300"); // set as text: unchanged, no range check
    EXPECT_EQ(c.value("SpinCASRELE1"), fixedFromWhole(300));
    c.setValue("SpinCASRELE1", fixedFromWhole(300));
    EXPECT_EQ(c.text("SpinCASRELE1"), "255");
    c.setValue("SpinCASRELE1", fixedFromWhole(-5));
    EXPECT_EQ(c.text("SpinCASRELE1"), "0");

    c.setText("spinDELAY1", "");
    EXPECT_EQ(c.value("spinDELAY1"), fixedFromWhole(1)); // not a number reads as the minimum
    EXPECT_EQ(c.text("spinDELAY1"), "");
    c.setText("spinDELAY1", "007");
    EXPECT_EQ(c.value("spinDELAY1"), fixedFromWhole(7));
    EXPECT_EQ(c.text("spinDELAY1"), "007");
    c.setText("spinCAS", "abc");
    EXPECT_EQ(c.value("spinCAS"), 0);
}

class Recorder : public ConfigurationObserver {
public:
    void fieldChanged(FieldId id) override { changed.push_back(id); }
    std::vector<FieldId> changed;
};

TEST(Observers, HearEveryChangeAndNothingElse) {
    Configuration c;
    Recorder r;
    c.addObserver(r);
    c.setText("memoSMSV1", "x");
    EXPECT_EQ(r.changed, std::vector<FieldId>{c.id("memoSMSV1")});
    r.changed.clear();
    c.setText("memoSMSV1", "x");
    EXPECT_TRUE(r.changed.empty());

    c.setText("editTCV1_1", "1"); // the text, then position 2 that becomes enabled
    EXPECT_EQ(r.changed, (std::vector<FieldId>{c.id("editTCV1_1"), c.id("editTCV1_2")}));
    r.changed.clear();

    c.setChosen("rbVST2_2", true);
    EXPECT_EQ(r.changed, (std::vector<FieldId>{c.id("rbVST2_2"), c.id("rbVST2_1")}));

    c.removeObserver(r);
    r.changed.clear();
    c.setText("memoSMSV2", "y");
    EXPECT_TRUE(r.changed.empty());
}

TEST(Copies, CompareByValueAndCarryNoObservers) {
    Configuration a;
    Recorder r;
    a.addObserver(r);
    Configuration b(a);
    EXPECT_EQ(a, b);
    b.setText("memoSMSV1", "x");
    EXPECT_TRUE(r.changed.empty());
    EXPECT_FALSE(a == b);
}

} // namespace
} // namespace qolmex
