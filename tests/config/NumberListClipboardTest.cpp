#include "config/NumberListClipboard.h"

#include "config/CharFilters.h"

#include <gtest/gtest.h>
#include <vector>

namespace qolmex {
namespace {

// The list's numbers in order, after checking that they form a run from position 1 with
// everything after the first empty position disabled and empty, as the list rule keeps them.
std::vector<std::string> numbersOf(const Configuration& c, ListId list) {
    std::vector<std::string> numbers;
    bool ended = false;
    for (int k = 1; k <= numberList(list).size; ++k) {
        const FieldId id = c.position(list, k);
        if (ended) {
            EXPECT_FALSE(c.isEnabled(id)) << c.definition(id).name;
            EXPECT_TRUE(c.text(id).empty()) << c.definition(id).name;
        } else if (c.text(id).empty()) {
            EXPECT_TRUE(c.isEnabled(id)) << c.definition(id).name;
            ended = true;
        } else {
            numbers.push_back(c.text(id));
        }
    }
    return numbers;
}

using Numbers = std::vector<std::string>;

ListPaste paste(Configuration& c, std::string_view position, std::u16string_view text) {
    return pasteNumberList(c, c.id(position), text, &onlyNumbers);
}

TEST(NumberListClipboard, ASpreadsheetColumnOrRowFillsTheListFromThePosition) {
    const std::u16string shapes[] = {
        u"0901\r\n0902\r\n0903\r\n", // a column, as Windows copies it
        u"0901\n0902\n0903",         // a column elsewhere
        u"0901\t0902\t0903\n",       // a row
        u"0901;0902, 0903",          // a list typed by hand
    };
    for (const std::u16string& text : shapes) {
        Configuration c;
        const ListPaste result = paste(c, "editTCV2_1", text);
        EXPECT_EQ(numbersOf(c, ListId::TCV2), (Numbers{"0901", "0902", "0903"}));
        EXPECT_EQ(result.placed, 3);
        EXPECT_EQ(result.leftOut, 0);
        EXPECT_TRUE(numbersOf(c, ListId::TCV1).empty());
    }
}

// Each cell gets what typing would give it: the digits and "+", at most 14 of them.
TEST(NumberListClipboard, CellsMeetTheFilterAndTheRoomOfTyping) {
    Configuration c;
    const ListPaste result = paste(c, "editPOV1_1",
                                   u"Telefón\n+421 905-123 456\n\n   \nJán Novák\n"
                                   u"12345678901234567890\n(0903) 111/222\nčíslo: 0911\u00A0222");
    EXPECT_EQ(numbersOf(c, ListId::POV1),
              (Numbers{"+421905123456", "12345678901234", "0903111222", "0911222"}));
    EXPECT_EQ(result.placed, 4);
    EXPECT_EQ(result.leftOut, 0);
}

TEST(NumberListClipboard, NumbersBeyondTheLastPositionAreCounted) {
    Configuration c;
    c.setText("editPOO1_1", "1");
    c.setText("editPOO1_2", "2");
    const ListPaste result = paste(c, "editPOO1_2", u"20\n30\n40\n50\n60\n70\n80\n90\nx\n100\n110");
    EXPECT_EQ(numbersOf(c, ListId::POO1), (Numbers{"1", "20", "30", "40", "50", "60", "70", "80"}));
    EXPECT_EQ(result.placed, 7);
    EXPECT_EQ(result.leftOut, 3);
}

// Position 5 of a list filled to 3 is disabled; a paste there still leaves no gap. A paste
// over filled positions keeps the ones after the last number pasted.
TEST(NumberListClipboard, APasteStartsNoLaterThanTheFirstEmptyPosition) {
    Configuration c;
    for (int k = 1; k <= 3; ++k)
        c.setText(c.position(ListId::TCZSSMS, k), std::to_string(k));
    EXPECT_EQ(paste(c, "editTCZSSMS_5", u"44\n55").placed, 2);
    EXPECT_EQ(numbersOf(c, ListId::TCZSSMS), (Numbers{"1", "2", "3", "44", "55"}));
    paste(c, "editTCZSSMS_2", u"22");
    EXPECT_EQ(numbersOf(c, ListId::TCZSSMS), (Numbers{"1", "22", "3", "44", "55"}));
}

TEST(NumberListClipboard, NothingToPasteChangesNothing) {
    Configuration c;
    c.setText("editTCV1_1", "0901");
    for (const std::u16string& text : {std::u16string(), std::u16string(u"\r\n\t;, abc\n-")}) {
        const ListPaste result = paste(c, "editTCV1_1", text);
        EXPECT_EQ(result.placed + result.leftOut, 0);
        EXPECT_EQ(numbersOf(c, ListId::TCV1), (Numbers{"0901"}));
    }
}

TEST(NumberListClipboard, CopyGivesTheFilledPositionsOneALineAndPastesBackTheSame) {
    Configuration c;
    EXPECT_EQ(copyNumberList(c, ListId::POV2), "");
    for (int k = 1; k <= 64; ++k)
        c.setText(c.position(ListId::POV2, k), "+4219" + std::to_string(k));
    const std::string copied = copyNumberList(c, ListId::POV2);
    EXPECT_EQ(copied.substr(0, 15), "+42191\n+42192\n+");
    EXPECT_NE(copied.back(), '\n');

    Configuration other;
    const ListPaste result =
        paste(other, "editPOV1_1", std::u16string(copied.begin(), copied.end()));
    EXPECT_EQ(result.placed, 64);
    EXPECT_EQ(numbersOf(other, ListId::POV1), numbersOf(c, ListId::POV2));
}

} // namespace
} // namespace qolmex
