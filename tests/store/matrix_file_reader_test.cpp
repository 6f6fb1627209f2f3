#include <string>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"
#include "tests/store/matrix_file_test_util.h"

namespace velmor {
namespace {

using test::describe;
using test::matrixOf;

constexpr const char* kSep = "#****************************************\r\n";

// One matrix as the writer lays it out, with CR LF line ends.
std::string block(const std::string& name, const std::string& description, int rows, int cols,
                  const std::string& elementRows) {
    return std::string(kSep) + "Matrix - " + name + "\r\n\r\nDescription - " + description +
           "\r\nRows - " + std::to_string(rows) + " \r\nColumns - " + std::to_string(cols) +
           " \r\n\r\n" + elementRows + "\r\n";
}

struct Case {
    const char* label;
    std::string delimiter;
    std::string file;
    std::string expected; // describe() of the result
};

class MatrixFileReaderTest : public ::testing::TestWithParam<Case> {};

TEST_P(MatrixFileReaderTest, Reads) {
    const Case& c = GetParam();
    NumberFormat format(".");
    EXPECT_EQ(describe(MatrixFileReader(format, c.delimiter).parse(c.file)), c.expected) << c.label;
}

const std::string kHeader = "# 12/5/2026 1:14:27 AM\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, MatrixFileReaderTest,
    ::testing::Values(
        Case{"the writer's own layout", " ",
             kHeader + block("A", "first", 2, 2, " 1 2\r\n 3 4\r\n") + kSep, "A|first|2x2|1,2;3,4"},
        Case{"written with a comma, read with a blank: one piece per row", " ",
             kHeader + block("A", "", 2, 2, " 1,2\r\n 3,4\r\n") + kSep, "A||2x2|1,2,~;3,4,~"},
        Case{"keywords in any case, without the blank before the hyphen; counts rounded", " ",
             "MATRIX-a\r\ndescription-Lower\r\nROWS-3\r\nColumns - 2.6\r\n1 2 3\r\n4 5 6\r\n",
             "a|Lower|3x3|1,2,3;4,5,6;~,~,~"},
        Case{"halves round to even", " ", "Matrix - A\rRows - 2.5\rColumns - 3.5\r1 2 3 4\r",
             "A||2x4|1,2,3,4;~,~,~,~"},
        Case{"short rows leave elements empty, long rows are cut", " ",
             block("A", "", 3, 3, " 1\r\n 1 2 3 4 5\r\n 7 8\r\n 9 9 9\r\n"),
             "A||3x3|1,~,~;1,2,3;7,8,~"},
        Case{"a final element row without a line end is kept", " ",
             "Matrix - A\r\nRows - 2\r\nColumns - 2\r\n 1 2\r\n 3 4", "A||2x2|1,2;3,4"},
        Case{"LF-only lines", " ", "Matrix - A\nRows - 2\nColumns - 1\n\n 5\n 6\n", "A||2x1|5;6"},
        Case{"CR-only lines", ",", "# h\r#**\rMatrix - A\rRows - 1\rColumns - 2\r 5,6\r",
             "A||1x2|5,6"},
        Case{"a # after the first character is no comment", " ",
             block("A#1", "see #2", 1, 1, " 9\r\n") + kSep, "A#1|see #2|1x1|9"},
        Case{"a comment inside an element block is skipped and ends nothing", " ",
             block("A", "", 3, 2, " 1 2\r\n  # note 1 2\r\n 3 4\r\n#x\r\n 5 6\r\n"),
             "A||3x2|1,2;3,4;5,6"},
        Case{"the first keyword of a line decides", " ",
             block("B", "the matrix - A, 2 rows - 3 columns", 1, 1, " 1\r\n") +
                 "Rows - matrix - 5\r\n",
             "B|the matrix - A, 2 rows - 3 columns|1x1|1"},
        Case{"an element block ends only at a name line", " ",
             "Matrix - A\r\nRows - 1\r\nColumns - 2\r\n 1 2\r\nDescription - x\r\n"
             "Matrix - B\r\nRows - 1\r\nColumns - 1\r\n 3\r\n",
             "A||1x2|1,2 / B||1x1|3"},
        Case{"appended saves: headers stay out of the matrix before them", " ",
             kHeader + block("A", "", 3, 2, " 1 2\r\n 3 4\r\n") + kSep + kHeader +
                 block("B", "", 1, 1, " 5\r\n") + kSep,
             "A||3x2|1,2;3,4;~,~ / B||1x1|5"},
        Case{"single-column form when the delimiter is missing", ",",
             block("A", "", 3, 1, " 1\r\n -2.5E+3\r\n text\r\n 4\r\n"), "A||3x1|1;-2.5E+3;4"},
        Case{"a second matrix without description keeps the first one's", " ",
             "Matrix - A\r\nDescription - d\r\nRows - 1\r\nColumns - 1\r\n 1\r\n"
             "Matrix - B\r\nRows - 1\r\nColumns - 1\r\n 2\r\n",
             "A|d|1x1|1 / B|d|1x1|2"},
        Case{"a bad count keeps the old count", " ",
             "Rows - 2\r\nColumns - 1\r\nMatrix - A\r\nRows - x\r\nColumns - 40000\r\n 1\r\n 2\r\n",
             "A||2x1|1;2"},
        Case{"a count below 1 keeps the old matrix, elements and all", " ",
             "Matrix - A\r\nRows - 1\r\nColumns - 2\r\n 1 2\r\n"
             "Matrix - B\r\nRows - 0\r\nColumns - 0\r\n 7 8\r\n",
             "A||1x2|1,2 / B||1x2|1,2"},
        Case{"refilling a matrix that was already added changes only the new entry", " ",
             "Matrix - A\r\nRows - 2\r\nColumns - 2\r\n 1 2\r\n 3 4\r\n"
             "Matrix - B\r\nRows - 2\r\n 7 8\r\nMatrix - C\r\n",
             "A||2x2|1,2;3,4 / B||2x2|7,8;3,4"},
        Case{"rows before any size, and matrices without a name, are dropped", " ",
             "Matrix - A\r\n 1 2\r\nMatrix - \r\nRows - 1\r\nColumns - 1\r\n 5\r\n", ""},
        Case{"an oversize declared size is skipped with its rows", " ",
             "Matrix - A\r\nRows - 1\r\nColumns - 1\r\n 1\r\n"
             "Matrix - Big\r\nRows - 2001\r\nColumns - 2000\r\n 1 2\r\n"
             "Matrix - C\r\nRows - 1\r\nColumns - 1\r\n 3\r\n",
             "A||1x1|1 / C||1x1|3 +1 oversize"},
        Case{"an empty delimiter takes the whole trimmed row as one piece", "",
             "Matrix - A\r\nRows - 1\r\nColumns - 2\r\n  1 2  \r\n", "A||1x2|1 2,~"},
        Case{"a multi-character delimiter; pieces are trimmed", "; ",
             "Matrix - A\r\nRows - 1\r\nColumns - 3\r\n 1;  2; 3 ;4\r\n", "A||1x3|1,2,3 ;4"},
        Case{"Latin-1 bytes are read as Latin-1", " ",
             "Matrix - Caf\xE9\r\nDescription - \xB5-Wert\r\nRows - 1\r\nColumns - 1\r\n 1\r\n",
             "Caf\xC3\xA9|\xC2\xB5-Wert|1x1|1"},
        Case{"UTF-8 stays as it is; a byte order mark is skipped", " ",
             "\xEF\xBB\xBFMatrix - \xCE\x94\r\nRows - 1\r\nColumns - 1\r\n 1\r\n",
             "\xCE\x94||1x1|1"},
        Case{"an empty file, and a file of comments only", " ", "#\r\n  #x\r\n\r\n", ""}),
    [](const ::testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

TEST(MatrixFileReader, AddingTheSameMatrixTwiceGivesIndependentCopies) {
    NumberFormat format(".");
    auto contents =
        MatrixFileReader(format, " ")
            .parse("Matrix - A\r\nRows - 1\r\nColumns - 1\r\n 1\r\nMatrix - B\r\nMatrix - C\r\n");
    ASSERT_EQ(contents.matrices.size(), 1u); // B has no element block of its own
    contents = MatrixFileReader(format, " ")
                   .parse("Matrix - A\r\nRows - 1\r\nColumns - 1\r\n 1\r\nMatrix - B\r\n "
                          "2\r\nMatrix - C\r\n 3\r\n");
    EXPECT_EQ(describe(contents), "A||1x1|1 / B||1x1|1 / C||1x1|1");
    contents.matrices[0].matrix.array().at(1, 1) = Variant("x");
    EXPECT_EQ(contents.matrices[1].matrix.array().at(1, 1).text(), "1");
}

// Every list the writer writes reads back with the same names, descriptions and element
// texts when the two delimiters agree.
TEST(MatrixFileRoundTrip, WriterOutputReadsBackUnchanged) {
    NumberFormat format(".");
    Array wide = Array::matrix(1, 500);
    for (int j = 1; j <= 500; ++j) wide.at(1, j) = Variant(j % 7 == 0 ? -j / 8.0 : j * 1.0);
    const std::vector<MatrixFileEntry> list = {
        {"A#1", "", matrixOf({{"1", "2"}, {"3", "4"}})},
        {"B-2", "see matrix - A; rows - 3 # not a comment", matrixOf({{1e-05, -0.5}})},
        {"-x", "-", matrixOf({{"42"}})},
        {"\xCE\x94", "\xE7\x9F\xA9\xE9\x98\xB5 matrix", matrixOf({{"1.5"}, {"-2"}, {"1E-05"}})},
        {"\xE7\x9F\xA9\xE9\x98\xB5", "Columns - 9", matrixOf({{0.1, 1e15, -1e-300}})},
        {"wide", "1 x 500", Variant(std::move(wide))},
        {"Rows-3", "  padded  ", matrixOf({{"7", Variant(), "9"}})},
    };
    for (const std::string delimiter : {" ", ",", "; ", "\t", "||"}) {
        MatrixFileWriter writer(format, delimiter);
        std::string bytes;
        writer.header(bytes, "12/5/2026 1:14:27 AM");
        for (const auto& e : list) writer.entry(bytes, e.name, e.description, e.matrix);
        writer.footer(bytes);
        // Appending the same save twice must read back as the list twice.
        for (const std::string& file : {bytes, bytes + bytes}) {
            auto got = MatrixFileReader(format, delimiter).parse(file);
            ASSERT_EQ(got.matrices.size(), list.size() * (file.size() / bytes.size()))
                << "delimiter '" << delimiter << "'";
            for (std::size_t k = 0; k < got.matrices.size(); ++k) {
                const auto& want = list[k % list.size()];
                const auto& have = got.matrices[k];
                EXPECT_EQ(have.name, want.name);
                std::string desc = want.description;
                desc.erase(0, desc.find_first_not_of(' '));
                desc.erase(desc.find_last_not_of(' ') + 1);
                EXPECT_EQ(have.description, desc);
                const Array &a = want.matrix.array(), &b = have.matrix.array();
                ASSERT_EQ(b.ubound(1), a.ubound(1));
                ASSERT_EQ(b.ubound(2), a.ubound(2));
                EXPECT_EQ(b.lbound(1), 1);
                for (int i = 1; i <= a.ubound(1); ++i)
                    for (int j = 1; j <= a.ubound(2); ++j)
                        EXPECT_EQ(format.toText(b.at(i, j)), format.toText(a.at(i, j)))
                            << want.name << " (" << i << ", " << j << ") '" << delimiter << "'";
            }
        }
    }
}

} // namespace
} // namespace velmor
