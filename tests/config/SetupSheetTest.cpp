#include "config/SetupSheet.h"

#include "config/Configuration.h"

#include <gtest/gtest.h>

namespace qolmex {
namespace {

bool has(const std::string& html, std::string_view part) {
    return html.find(part) != std::string::npos;
}

// The row of a label, from its label to the end of its value.
std::string rowOf(const std::string& html, std::string_view label) {
    const auto at = html.find("<th>" + std::string(label) + "</th>");
    if (at == std::string::npos)
        return {};
    return html.substr(at, html.find("</tr>", at) - at);
}

const SetupSheetHeader march{2026, 3, 14, {}};

TEST(SetupSheet, EveryTextComesOutAsTextThroughTheWindows1250Table) {
    Configuration c;
    // ď and ž, a control byte and a byte the table leaves undefined
    c.setText("memoSMSZAP1", "<b>&amp;</b> \"'\r\n\xEF"
                             "alej\x9e\x01\x81");
    c.setText("memoSMSV2", "a\rb\nc");
    c.setText("editPOV2_1", "<0901>");
    const std::string html = setupSheetHtml(c, march);
    EXPECT_TRUE(has(html, "&lt;b&gt;&amp;amp;&lt;/b&gt; &quot;&#39;\nďalejž\uFFFD\uFFFD</span>"));
    EXPECT_TRUE(has(html, ">a\nb\nc</span>"));
    EXPECT_TRUE(has(html, "<li>&lt;0901&gt;</li>"));
    EXPECT_FALSE(has(html, "<b>"));
    EXPECT_FALSE(has(html, "\r"));
}

// Nothing that a browser would fetch or run: the sheet must stand on its own in a site's file.
TEST(SetupSheet, StandsOnItsOwnAndLeavesTheDtmfCodesOut) {
    Configuration c;
    c.setText("MemoDTMFZAP1", "4711");
    c.setText("MemoDTMFVYP2", "2468");
    const std::string html = setupSheetHtml(c, march);
    for (const char* fetchOrRun :
         {"<script", "<link", "<img", "src=", "href=", "url(", "@import", "@font-face"})
        EXPECT_FALSE(has(html, fetchOrRun)) << fetchOrRun;
    EXPECT_FALSE(has(html, "4711"));
    EXPECT_FALSE(has(html, "2468"));
    EXPECT_TRUE(has(html, "@page { size: A4;"));
    EXPECT_TRUE(has(html, "<meta charset=\"utf-8\">"));
}

TEST(SetupSheet, TitleNamesTheUnitOnlyWhenReadFromOne) {
    const std::string fromFile = setupSheetHtml(Configuration(), march);
    EXPECT_TRUE(has(fromFile, "<h1>Prehľad nastavení QOLMEX 70</h1>"));
    EXPECT_TRUE(has(fromFile, "Dátum: 14. 3. 2026</p>"));
    EXPECT_FALSE(has(fromFile, "Sériové číslo"));

    const std::string fromUnit = setupSheetHtml(Configuration(), {2026, 12, 8, "A10<XYZ"});
    EXPECT_TRUE(has(fromUnit, "<title>Prehľad nastavení QOLMEX 70 A10&lt;XYZ</title>"));
    EXPECT_TRUE(has(fromUnit, "Sériové číslo: <b>A10&lt;XYZ</b>"));
}

TEST(SetupSheet, ZerosEmptyListsAndPolaritiesSayWhatTheyMean) {
    Configuration c;
    const std::string fresh = setupSheetHtml(c, march);
    EXPECT_TRUE(has(rowOf(fresh, "Dĺžka zopnutia (sek.)"), "<td>trvalé prepnutie</td>"));
    EXPECT_TRUE(has(rowOf(fresh, "Interval zasielania"), "<td>nezasielajú sa</td>"));
    EXPECT_TRUE(has(rowOf(fresh, "Upozornenie na kredit nižší ako"), "<td>nezasiela sa</td>"));
    EXPECT_TRUE(has(rowOf(fresh, "Čas zasielania"), "<td>0 hod.</td>"));
    EXPECT_TRUE(has(rowOf(fresh, "Tel. čísla pre zvukové signály"), "—"));
    EXPECT_TRUE(has(rowOf(fresh, "Polarita vstupu"),
                    "Spínací <span class=\"none\">&ndash; Vstup sa aktivuje privedením napätia"));

    c.setText("SpinCASRELE1", "12");
    c.setText("SpinCASRELE2", "12");
    c.setText("spinINTERVAL", "07");
    c.setText("spinKREDIT", "abc"); // only a file can hold it, and Send would refuse it
    c.setChosen("rbVST1_2", true);
    c.setChosen("rbVST2_1", false); // a file may choose neither: the unit is told "Spínací"
    const std::string set = setupSheetHtml(c, march);
    EXPECT_TRUE(has(rowOf(set, "Dĺžka zopnutia (sek.)"), "<td>12</td>"));
    EXPECT_TRUE(has(rowOf(set, "Interval zasielania"), "<td>7 dní</td>"));
    EXPECT_TRUE(has(rowOf(set, "Upozornenie na kredit nižší ako"), ">abc</span>"));
    const auto second = set.find("<h2>2. vstup</h2>");
    EXPECT_TRUE(has(rowOf(set, "Polarita vstupu"), "Rozpínací"));
    EXPECT_TRUE(has(set.substr(second), "<td>Spínací"));
}

} // namespace
} // namespace qolmex
