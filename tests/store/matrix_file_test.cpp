#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "engine/runtime_error.h"
#include "engine/variant.h"
#include "store/file_io.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"
#include "tests/support/values.h"

namespace velmor {
namespace {

using test::matrixOf;

// "name|description|RxC|a,b;c,d" per matrix, "~" for an element that received nothing;
// matrices joined by " / ", then " +N oversize" when sizes were skipped.
std::string describe(const MatrixFileContents& contents) {
    NumberFormat format(".");
    std::string out;
    for (const auto& m : contents.matrices) {
        const Array& a = m.matrix.array();
        out += (out.empty() ? "" : " / ") + m.name + "|" + m.description + "|" +
               std::to_string(a.ubound(1)) + "x" + std::to_string(a.ubound(2));
        for (int i = 1; i <= a.ubound(1); ++i)
            for (int j = 1; j <= a.ubound(2); ++j) {
                const Variant& v = a.at(i, j);
                out += (j > 1 ? "," : i > 1 ? ";" : "|") + (v.isEmpty() ? "~" : format.toText(v));
            }
    }
    if (contents.oversize) out += " +" + std::to_string(contents.oversize) + " oversize";
    return out;
}

// `s` with every "\n" replaced by `lineEnd`.
std::string withLineEnds(const std::string& s, const std::string& lineEnd = "\r\n") {
    std::string out;
    for (char c : s) out += c == '\n' ? lineEnd : std::string(1, c);
    return out;
}

// The file the writer makes of `contents`.
std::string written(const std::string& delimiter, const MatrixFileContents& contents,
                    const std::string& date = "12/5/2026 1:14:27 AM") {
    NumberFormat format(".");
    MatrixFileWriter writer(format, delimiter);
    std::string out;
    writer.header(out, date);
    for (const auto& e : contents.matrices) writer.entry(out, e.name, e.description, e.matrix);
    writer.footer(out);
    return out;
}

// One matrix as the writer lays it out, lines ended by "\n".
std::string block(const std::string& name, const std::string& description, int rows, int cols,
                  const std::string& elementRows) {
    return "#****************************************\nMatrix - " + name + "\n\nDescription - " +
           description + "\nRows - " + std::to_string(rows) + " \nColumns - " +
           std::to_string(cols) + " \n\n" + elementRows + "\n";
}

TEST(MatrixFileWriter, WholeFileMatchesTheDocumentedExample) {
    const std::string head =
        "# 12/5/2026 1:14:27 AM\r\n#****************************************\r\n";
    EXPECT_EQ(written(",", {{{"A", "", matrixOf({{"1", "2"}, {"3", "4"}})}}}),
              head + "Matrix - A\r\n\r\nDescription - \r\nRows - 2 \r\nColumns - 2 \r\n\r\n"
                     " 1,2\r\n 3,4\r\n\r\n#****************************************\r\n");
    EXPECT_EQ(written(" ", {}), head); // an empty list
}

TEST(MatrixFileWriter, Entries) {
    const std::tuple<std::string, MatrixFileEntry, std::string> cases[] = {
        {" ",
         {"M", "", matrixOf({{"  1 ", "\t2"}, {"", " -3.5"}})}, // trims blanks only
         block("M", "", 2, 2, " 1 \t2\n  -3.5\n")},
        {";",
         {"M", "d", matrixOf({{1e-05, Variant(), 1234567.25}})},
         block("M", "d", 1, 3, " 1E-05;;1234567.25\n")},
        {"; ",
         {"A\r\nB\nC\rD", "one\r\n\r\ntwo\n", matrixOf({{"1\r\n2", "3"}}, 0)},
         block("A B C D", "one  two ", 1, 2, " 1 2; 3\n")},
        {"",
         {"M", "", matrixOf({{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}})},
         block("M", "", 1, 10, " 12345678910\n")},
    };
    NumberFormat format(".");
    for (const auto& [delimiter, e, expected] : cases) {
        std::string out;
        MatrixFileWriter(format, delimiter).entry(out, e.name, e.description, e.matrix);
        EXPECT_EQ(out, withLineEnds(expected));
    }
}

TEST(MatrixFileWriter, ValuesThatAreNotMatricesRaiseRunTimeErrors) {
    NumberFormat format(".");
    std::string out;
    for (const Variant& v : {Variant(), Variant("1"), Variant(Array::vector(0, 1))})
        EXPECT_THROW(MatrixFileWriter(format, " ").entry(out, "X", "", v), RuntimeError);
}

// Every element the writer refuses fails to read back in its place, and every element it
// accepts reads back.
TEST(MatrixFileWriter, FindsTheFirstElementThatWouldNotReadBack) {
    const std::tuple<std::string, Variant, std::string> cases[] = {
        {",", matrixOf({{"1", "#2"}, {"#3", "4"}}), "(2, 1) it begins with \"#\""},
        {" ", matrixOf({{"1", "see MATRIX - A"}}), "(1, 2) it contains \"matrix -\""},
        {",", matrixOf({{"description-x", "1"}}), "(1, 1) it contains \"description -\""},
        {",", matrixOf({{"Rows - 2"}}), "(1, 1) it contains \"rows -\""},
        {",", matrixOf({{"1", "columns -"}}), "(1, 2) it contains \"columns -\""},
        {",", matrixOf({{"1", "2,5"}}), "(1, 2) it contains the delimiter \",\""},
        {" ", matrixOf({{"1", "a b"}}), "(1, 2) it contains the delimiter \" \""},
        {" ", matrixOf({{"1", "2"}, {"", "4"}}), "(2, 1) it is empty"},
        {" ", matrixOf({{"1", ""}}), "(1, 2) it is empty"},
        {",", matrixOf({{"1"}, {""}}), "(2, 1) it is empty"},
        {",", matrixOf({{"1"}, {"x"}}),
         "(2, 1) it is not a number, and a one-column matrix is read back only as numbers"},
        {" ", matrixOf({{"1", "", "3"}}), ""}, // blanks between keep an inner empty element
        {",", matrixOf({{"", "2"}}), ""},
        {" ", matrixOf({{"x"}, {""}}), ""}, // a blank-delimited row is never a number row
        {";", matrixOf({{"a-b", 1.5, "c # d"}}), ""},
        // Elements that pass alone but not beside the delimiter.
        {"#", matrixOf({{"5", ""}, {"", ""}}),
         "(2, 1) the row would begin with \"#\" and be read as a comment"},
        {" ", matrixOf({{"1", "rows", -5.0}}),
         "(1, 3) together with the delimiter, the row would contain \"rows -\""},
        {"-", matrixOf({{"Columns", "2"}}),
         "(1, 2) together with the delimiter, the row would contain \"columns -\""},
    };
    NumberFormat format(".");
    for (const auto& [delimiter, m, expected] : cases) {
        auto bad = MatrixFileWriter(format, delimiter).findUnreadable(m);
        std::string got = bad ? "(" + std::to_string(bad->row) + ", " +
                                    std::to_string(bad->column) + ") " + bad->reason
                              : "";
        EXPECT_EQ(got, expected);
        const MatrixFileContents list{{{"M", "", m}}};
        const std::string back =
            describe(MatrixFileReader(format, delimiter).parse(written(delimiter, list)));
        EXPECT_EQ(back == describe(list), expected.empty()) << expected << " / " << back;
    }
}

TEST(MatrixFileReader, ReadsAtEveryLineEnd) {
    const std::string size1x1 = "Rows - 1\nColumns - 1\n";
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"written with a comma, read with a blank: one piece per row", " ",
         block("A", "", 2, 2, " 1,2\n 3,4\n"), "A||2x2|1,2,~;3,4,~"},
        {"keywords in any case, no blank before the hyphen; counts round halves to even", " ",
         "MATRIX-a\ndescription-Lower  \nROWS-2.5\ncolumns - 3.5\n1 2 3 4\n",
         "a|Lower|2x4|1,2,3,4;~,~,~,~"},
        {"short rows leave elements empty, long rows are cut", " ",
         block("A", "", 3, 3, " 1\n 1 2 3 4 5\n 7 8\n 9 9 9\n"), "A||3x3|1,~,~;1,2,3;7,8,~"},
        {"a comment inside an element block is skipped and ends nothing", " ",
         block("A", "", 3, 2, " 1 2\n  # note 1 2\n 3 4\n#x\n 5 6\n"), "A||3x2|1,2;3,4;5,6"},
        {"the first keyword of a line decides", " ",
         block("B", "the matrix - A, 2 rows - 3", 1, 1, " 1\n") + "Rows - matrix - 5\n",
         "B|the matrix - A, 2 rows - 3|1x1|1"},
        {"an element block ends only at a name line", " ",
         "Matrix - A\nRows - 1\nColumns - 2\n 1 2\nDescription - x\nMatrix - B\n" + size1x1 +
             " 3\n",
         "A||1x2|1,2 / B||1x1|3"},
        {"single-column form when the delimiter is missing", ",",
         block("A", "", 3, 1, " 1\n -2.5E+3\n text\n 4\n"), "A||3x1|1;-2.5E+3;4"},
        {"a matrix without description keeps the one before", " ",
         block("A", "d", 1, 1, " 1\n") + "Matrix - B\n" + size1x1 + " 2\n",
         "A|d|1x1|1 / B|d|1x1|2"},
        {"a bad count keeps the old count, one below 1 the old matrix", " ",
         "Rows - 2\nColumns - 1\nMatrix - A\nRows - x\nColumns - 40000\n 1\n 2\nMatrix - B\n"
         "Rows - 0\nColumns - 0\n 7 8\n",
         "A||2x1|1;2 / B||2x1|1;2"},
        {"refilling a matrix already added changes only the new entry", " ",
         "Matrix - A\nRows - 2\nColumns - 2\n 1 2\n 3 4\nMatrix - B\nRows - 2\n 7 8\nMatrix - C\n",
         "A||2x2|1,2;3,4 / B||2x2|7,8;3,4"},
        {"rows before any size, and matrices without a name, are dropped", " ",
         "Matrix - A\n 1 2\nMatrix - \n" + size1x1 + " 5\n", ""},
        {"an oversize declared size is skipped with its rows", " ",
         block("A", "", 1, 1, " 1\n") + block("Big", "", 2001, 2000, " 1 2\n") +
             block("C", "", 1, 1, " 3\n"),
         "A||1x1|1 / C||1x1|3 +1 oversize"},
        {"an empty delimiter takes the whole trimmed row", "",
         "Matrix - A\nRows - 1\nColumns - 2\n  1 2  \n", "A||1x2|1 2,~"},
        {"a multi-character delimiter, pieces trimmed; a last line without line end", "; ",
         "Matrix - A\nRows - 1\nColumns - 3\n 1;  2; 3 ;4", "A||1x3|1,2,3 ;4"},
        {"Latin-1 bytes are read as Latin-1", " ",
         "Matrix - Caf\xE9\nDescription - \xB5-Wert\n" + size1x1 + " 1\n",
         "Caf\xC3\xA9|\xC2\xB5-Wert|1x1|1"},
        {"UTF-8 stays as it is; a byte order mark is skipped", " ",
         "\xEF\xBB\xBFMatrix - \xCE\x94\n" + size1x1 + " 1\n", "\xCE\x94||1x1|1"},
    };
    NumberFormat format(".");
    for (const std::string lineEnd : {"\r\n", "\n", "\r"}) {
        for (const auto& [label, delimiter, file, expected] : cases) {
            auto got = MatrixFileReader(format, delimiter).parse(withLineEnds(file, lineEnd));
            EXPECT_EQ(describe(got), expected) << label << " (line end " << lineEnd.size() << ")";
        }
    }
}

// Rows that did not cut into the declared columns name their matrix, with the first common
// delimiter that would have cut every one of them right.
TEST(MatrixFileReader, NamesMatricesWhoseRowsDidNotSplit) {
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"written with commas, read with a blank", " ",
         block("P", "", 1, 3, " 2.5,4,10.75\n") + block("Q", "", 2, 2, " 1 2\n 3,4\n"),
         "P 3 , / Q 2 ,"},
        {"written with blanks, read with a comma: rows skipped", ",",
         block("A", "", 2, 3, " 1 2 3\n 4 5 6\n"), "A 3  "},
        {"written with tabs", " ", block("A", "", 1, 2, " 1\t2\n"), "A 2 \t"},
        {"long rows that no delimiter mends; one number a row", " ",
         block("A", "", 1, 3, " 1 2 3 4 5\n") + block("B", "", 2, 2, "1\n2\n"), "A 3  / B 2 "},
        {"rows that split right, a trailing delimiter, free text", ",",
         block("A", "", 1, 3, " 1,2,3,\n") + "see page 3 of 4\n" +
             block("B", "", 1, 2, " see notes\n 1,2\n"),
         ""},
        {"an unnamed matrix is not named", " ", block("", "", 1, 2, " 1,2\n"), ""},
    };
    NumberFormat format(".");
    for (const auto& [label, delimiter, file, expected] : cases) {
        std::string got;
        for (const auto& m : MatrixFileReader(format, delimiter).parse(file).mismatches)
            got += (got.empty() ? "" : " / ") + m.name + " " + std::to_string(m.columns) + " " +
                   m.fits;
        EXPECT_EQ(got, expected) << label;
    }
}

// Declared sizes cost nothing until an element or an entry needs the cells, and the cells
// of one file are held to the budget: the rest of the file is not read.
TEST(MatrixFileReader, HostileFilesCostWhatTheyHold) {
    std::string sizesOnly, oneElementEach, refilled = "Matrix - A\nRows - 20\nColumns - 20\n 1\n";
    for (int k = 1; k <= 1000; ++k) sizesOnly += "Rows - 2000\r\nColumns - 2000\r\n";
    for (int k = 1; k <= 20; ++k)
        oneElementEach += "Matrix - M" + std::to_string(k) + "\nRows - 20\nColumns - 20\n1\n";
    for (int k = 1; k <= 200; ++k) refilled += "Matrix - B" + std::to_string(k) + "\n 1\n";
    const std::tuple<const char*, std::string, long long, std::string, bool> cases[] = {
        {"sizes without elements allocate nothing", sizesOnly, 1, "", false},
        {"two entries fill the budget exactly",
         oneElementEach.substr(0, oneElementEach.find("Matrix - M3")), 800, "M1 M2", false},
        {"the third would cross it", oneElementEach + "Matrix - X\n", 1000, "M1 M2", true},
        {"each entry refilling the matrix is a copy", refilled, 1000, "A B1", true},
        {"one matrix beyond it", "Matrix - A\nRows - 20\nColumns - 20\n 1\n", 399, "", true},
    };
    NumberFormat format(".");
    for (const auto& [label, file, budget, names, exceeded] : cases) {
        MatrixFileContents got = MatrixFileReader(format, " ", budget).parse(file);
        std::string gotNames;
        for (const auto& m : got.matrices) gotNames += (gotNames.empty() ? "" : " ") + m.name;
        EXPECT_EQ(std::tuple(gotNames, got.budgetExceeded), std::tuple(names, exceeded)) << label;
        // Their one-number rows do not split into 20 columns; only matrices read are named.
        for (const auto& m : got.mismatches)
            EXPECT_NE((" " + gotNames + " ").find(" " + m.name + " "), std::string::npos)
                << label << ": " << m.name;
    }
}

TEST(MatrixFileReader, EntriesSharingAMatrixAreIndependentCopies) {
    NumberFormat format(".");
    auto got = MatrixFileReader(format, " ")
                   .parse("Matrix - A\nRows - 1\nColumns - 1\n 1\nMatrix - B\n 2\n");
    EXPECT_EQ(describe(got), "A||1x1|1 / B||1x1|1");
    got.matrices[0].matrix.array().at(1, 1) = Variant("x");
    EXPECT_EQ(got.matrices[1].matrix.array().at(1, 1).text(), "1");
}

// With the same delimiters, a saved (and a twice saved) list reads back as it was written.
TEST(MatrixFileRoundTrip, WriterOutputReadsBackUnchanged) {
    NumberFormat format(".");
    MatrixFileContents list{{
        {"A#1", "", matrixOf({{"1", "2"}, {"3", "4"}})},
        {"B-2", "see matrix - A; rows - 3 # not a comment", matrixOf({{1e-05, -0.5}})},
        {"-x", "-", matrixOf({{"42"}})},
        {"\xCE\x94", "\xE7\x9F\xA9\xE9\x98\xB5 matrix", matrixOf({{"1.5"}, {"-2"}, {"1E-05"}})},
        {"Rows-3", "Columns - 9", matrixOf({{0.1, 1e15, -1e-300}, {"7", "", "9"}})},
        {"F", "fractions", matrixOf({{"-7/12", "1/3"}, {"9", "-36"}})},
    }};
    const std::string expected = describe(list);
    for (const std::string delimiter : {" ", ",", "; ", "\t", "||"}) {
        const std::string bytes = written(delimiter, list);
        MatrixFileReader reader(format, delimiter);
        EXPECT_EQ(describe(reader.parse(bytes)), expected) << "'" << delimiter << "'";
        EXPECT_EQ(describe(reader.parse(bytes + bytes)), expected + " / " + expected);
    }
}

// Each sample file reads back complete and is, byte for byte, what the writer makes of it.
TEST(Exercises, SampleFilesReadBackAsTheWriterWritesThem) {
    const std::tuple<std::string, std::string, std::vector<std::string>> samples[] = {
        {"2x2-basics.txt", " ", {"A", "B", "I2", "S"}},
        {"3x3-systems.txt", " ", {"M", "b", "N", "Sym", "Hilbert3"}},
        {"rotation-and-scaling.txt", " ", {"R30", "R90", "Scale", "Shear", "Square"}},
        {"comma-delimited.txt", ",", {"P", "Q", "T"}},
    };
    NumberFormat format(".");
    for (const auto& [file, delimiter, names] : samples) {
        SCOPED_TRACE(file);
        const std::string bytes = readFileBytes(VELMOR_SOURCE_DIR "/exercises/" + file);
        MatrixFileContents got = MatrixFileReader(format, delimiter).parse(bytes);
        std::vector<std::string> gotNames;
        for (const auto& m : got.matrices) gotNames.push_back(m.name);
        EXPECT_EQ(gotNames, names);
        EXPECT_EQ(written(delimiter, got, bytes.substr(2, bytes.find('\r') - 2)), bytes);
    }
}

} // namespace
} // namespace velmor
