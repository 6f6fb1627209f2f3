#include <string>

#include <gtest/gtest.h>

#include "ui/view/clipboard_text.h"

namespace velmor::test {
namespace {

TEST(ClipboardText, EachFormatWritesNumbersPlainAndQuotesText) {
    const TextBlock block{{"1", "-2,5"}, {"1E-10", "a \"b\""}};
    struct {
        CopyFormat format;
        const char* text;
    } cases[] = {
        {CopyFormat::Tabs, "1\t-2,5\n1E-10\ta \"b\"\n"},
        {CopyFormat::Csv, "1,\"-2,5\"\r\n1E-10,\"a \"\"b\"\"\"\r\n"},
        {CopyFormat::Latex,
         "\\begin{bmatrix}\n1 & -2{,}5 \\\\\n1E-10 & \\text{a \"b\"}\n\\end{bmatrix}\n"},
        {CopyFormat::Markdown, "| 1 | 2 |\n| ---: | ---: |\n| 1 | -2,5 |\n| 1E-10 | a \"b\" |\n"},
        {CopyFormat::Matlab, "[1 -2.5; 1E-10 \"a \"\"b\"\"\"]\n"},
        {CopyFormat::Python, "[[1, -2.5], [1E-10, \"a \\\"b\\\"\"]]\n"},
        {CopyFormat::Mathematica, "{{1, -2.5}, {1*^-10, \"a \\\"b\\\"\"}}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatBlock(block, c.format, ","), c.text);
    }
    // Languages read an empty cell as the 0 it is saved as; LaTeX and Markdown escape.
    EXPECT_EQ(formatBlock({{"", "x"}}, CopyFormat::Python), "[[0, \"x\"]]\n");
    EXPECT_EQ(formatBlock({{"a&b_c", "p|q"}}, CopyFormat::Latex),
              "\\begin{bmatrix}\n\\text{a\\&b\\_c} & \\text{p|q}\n\\end{bmatrix}\n");
    EXPECT_EQ(htmlTable({{"1", "<a&b>"}}),
              "<meta charset=\"utf-8\"><table><tr><td>1</td><td>&lt;a&amp;b&gt;</td></tr></table>");
}

TEST(ClipboardText, PastedTextsReadAsBlocks) {
    struct {
        const char* text;
        const char* delimiter;
        const char* sep;
        TextBlock rows;
    } cases[] = {
        {"1\t2\n3\t4\n", " ", ".", {{"1", "2"}, {"3", "4"}}}, // trailing line break
        {"1\t2\r\n3\t4\r\n\r\n", " ", ".", {{"1", "2"}, {"3", "4"}}},
        {"1\r2", " ", ".", {{"1"}, {"2"}}}, // a lone CR ends a line too
        {" 1 \t 2 \n3\t\t5", " ", ".", {{"1", "2"}, {"3", "", "5"}}},
        {"1\t2\n3", " ", ".", {{"1", "2"}, {"3"}}}, // ragged
        {"1\n\n3", " ", ".", {{"1"}, {""}, {"3"}}}, // an empty cell of one column
        {"\"a\nb\"\t\"c\"\"d\"", " ", ".", {{"a\nb", "c\"d"}}},
        {"a, \"b, c\" ,\" d\"", " ", ".", {{"a", "b, c", " d"}}},
        {"  1  2 3 \n4 5 6", " ", ".", {{"1", "2", "3"}, {"4", "5", "6"}}},
        {"1;2", " ", ".", {{"1", "2"}}},
        {"1|2", "|", ".", {{"1", "2"}}},
        {"1,5 2,5", " ", ",", {{"1,5", "2,5"}}}, // a decimal comma splits no number
        {"3.25", " ", ".", {{"3.25"}}},
        {"  \n", " ", ".", {}},
        {"[1 2; 3, -4]", " ", ".", {{"1", "2"}, {"3", "-4"}}},
        {"[1 \"a b\"\n3 4]", " ", ".", {{"1", "a b"}, {"3", "4"}}},
        {"np.array([[1.5, 2], [3, 'x']])", " ", ",", {{"1,5", "2"}, {"3", "x"}}},
        {"[1, 2, 3]", " ", ".", {{"1", "2", "3"}}},
        {"{{1, \"a,b\"}, {4.5*^-3, 2}}", " ", ".", {{"1", "a,b"}, {"4.5E-3", "2"}}},
        {"\\begin{pmatrix} 1 & 2 \\\\ 3 & 4 \\end{pmatrix}", " ", ".", {{"1", "2"}, {"3", "4"}}},
        {"\\begin{array}{cc}\\hline 1 & 2 \\\\ \\end{array}", " ", ".", {{"1", "2"}}},
        {"| a | b |\n|:--|--:|\n| 5 | 6 |\n| 7 | 8 |", " ", ".", {{"5", "6"}, {"7", "8"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ParsedBlock b = parseBlock(c.text, c.delimiter, c.sep);
        EXPECT_EQ(b.rows, c.rows);
        EXPECT_FALSE(b.tooLarge);
    }
    EXPECT_EQ(parseBlock("1\t2\n3").columns, 2);
}

TEST(ClipboardText, ABlockBeyondTheMatrixLimitsIsTooLarge) {
    auto lines = [](int rows, int cols) {
        std::string row = "0", text;
        for (int c = 1; c < cols; ++c) row += "\t0";
        for (int r = 0; r < rows; ++r) text += row + "\n";
        return text;
    };
    EXPECT_TRUE(parseBlock(lines(kMaxMatrixCount + 1, 1)).tooLarge);
    EXPECT_TRUE(parseBlock(lines(1, kMaxMatrixCount + 1)).tooLarge);
    EXPECT_TRUE(parseBlock(lines(2001, 2000)).tooLarge); // 4,002,000 cells
    EXPECT_FALSE(parseBlock(lines(1, kMaxMatrixCount)).tooLarge);
}

TEST(ClipboardText, EveryFormatPastesBackWhatWasCopied) {
    for (const char* sep : {".", ","}) {
        const std::string half = std::string("-2") + sep + "5";
        const TextBlock blocks[] = {
            {{"[1]", half, "1E-10"}, {"abc", "x, \"y\"", "a|b & c\\"}, {"|", "{}", "[2]"}},
            {{"x y"}, {half}, {"a;b"}}}; // one column: no tab to tell the rows' separator
        for (const TextBlock& block : blocks)
            for (CopyFormat f :
                 {CopyFormat::Tabs, CopyFormat::Csv, CopyFormat::Latex, CopyFormat::Markdown,
                  CopyFormat::Matlab, CopyFormat::Python, CopyFormat::Mathematica}) {
                std::string text = formatBlock(block, f, sep);
                SCOPED_TRACE(text);
                EXPECT_EQ(parseBlock(text, " ", sep).rows, block);
            }
    }
}

} // namespace
} // namespace velmor::test
