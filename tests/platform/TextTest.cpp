#include "platform/Text.h"
#include "platform/TextLines.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace discmenu {
namespace {

TEST(Text, CountsCharactersNotBytes) {
    struct Row {
        std::string s;
        std::size_t n;
        std::string left, right;
    };
    const std::vector<Row> rows = {
        {"1001_CD_Contents", 12, "1001_CD_Cont", "_CD_Contents"},
        {"Mär_CD_Contents", 3, "Mär", "nts"},
        {"Ωμέγα", 2, "Ωμ", "γα"},
        {"abc", 10, "abc", "abc"}, // shorter than n: the whole text
        {"", 3, "", ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(text::left(r.s, r.n), r.left) << r.s;
        EXPECT_EQ(text::right(r.s, r.n), r.right) << r.s;
    }
    EXPECT_EQ(text::length("Mär"), 3u);
    EXPECT_EQ(text::mid("CD Current Version (7.16)", 21, 4), "7.16");
    EXPECT_EQ(text::mid("CD Current Version (Ä.1)", 21, 3), "Ä.1");
    EXPECT_EQ(text::mid("abc", 7, 2), ""); // past the end
}

TEST(Text, ChangesCaseOfLatinGreekAndCyrillicLetters) {
    EXPECT_EQ(text::lower("SETUP_Ä.EXE"), "setup_ä.exe");
    EXPECT_EQ(text::upper("straße ĳ ŀ ž"), "STRAßE Ĳ Ŀ Ž");
    EXPECT_EQ(text::lower("ΩΜΕΓΑ ДОК Ё"), "ωμεγα док ё");
    EXPECT_EQ(text::upper("ÿ"), "Ÿ");
    EXPECT_EQ(text::lower("İı"), "İı"); // dotted and dotless i have no simple pair
    EXPECT_EQ(text::lower("日本"), "日本");
}

TEST(Text, TakesDiscBytesAsUtf8OrWindows1252) {
    EXPECT_EQ(text::fromDiscBytes("M\xC3\xA4rz"), "März");        // valid UTF-8 stays
    EXPECT_EQ(text::fromDiscBytes("M\xE4rz"), "März");            // Windows-1252
    EXPECT_EQ(text::fromDiscBytes("\x80 5"), "€ 5");              // the 0x80 block
    EXPECT_EQ(text::fromDiscBytes("\xC3"), "Ã");                  // a cut sequence is not UTF-8
    EXPECT_EQ(text::fromDiscBytes("\xED\xA0\x80"), "í\xC2\xA0€"); // a surrogate is not UTF-8
}

std::vector<std::string> linesOf(std::string bytes) {
    TextLines lines(std::move(bytes));
    std::vector<std::string> out;
    while (auto line = lines.readLine())
        out.push_back(*line);
    return out;
}

TEST(TextLines, EndsLinesAtCarriageReturns) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(linesOf("7.16\r\nMarch 2007\r\n"), (Lines{"7.16", "March 2007"}));
    EXPECT_EQ(linesOf("7.16\rMarch 2007"), (Lines{"7.16", "March 2007"}));
    EXPECT_EQ(linesOf("7.16\nMarch 2007\n"), (Lines{"7.16\nMarch 2007\n"})); // LF alone is no end
    EXPECT_EQ(linesOf("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(linesOf("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("M\xE4rz\r\n"), (Lines{"März"}));
}

} // namespace
} // namespace discmenu
