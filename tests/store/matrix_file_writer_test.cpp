#include <string>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "engine/runtime_error.h"
#include "store/matrix_file_writer.h"
#include "tests/store/matrix_file_test_util.h"

namespace velmor {
namespace {

using test::matrixOf;

class MatrixFileWriterTest : public ::testing::Test {
  protected:
    std::string write(const std::string& delimiter, std::string_view name,
                      std::string_view description, const Variant& m) {
        MatrixFileWriter w(format, delimiter);
        std::string out;
        w.entry(out, name, description, m);
        return out;
    }
    NumberFormat format{"."};
};

TEST_F(MatrixFileWriterTest, WholeFileMatchesTheDocumentedExample) {
    MatrixFileWriter w(format, ",");
    std::string out;
    w.header(out, "12/5/2026 1:14:27 AM");
    w.entry(out, "A", "", matrixOf({{"1", "2"}, {"3", "4"}}));
    w.footer(out);
    EXPECT_EQ(out, "# 12/5/2026 1:14:27 AM\r\n"
                   "#****************************************\r\n"
                   "Matrix - A\r\n"
                   "\r\n"
                   "Description - \r\n"
                   "Rows - 2 \r\n"
                   "Columns - 2 \r\n"
                   "\r\n"
                   " 1,2\r\n"
                   " 3,4\r\n"
                   "\r\n"
                   "#****************************************\r\n");
}

TEST_F(MatrixFileWriterTest, EmptyListIsHeaderAndOneSeparator) {
    MatrixFileWriter w(format, " ");
    std::string out;
    w.header(out, "1/2/2026 3:04:05 PM");
    w.footer(out);
    EXPECT_EQ(out, "# 1/2/2026 3:04:05 PM\r\n#****************************************\r\n");
}

TEST_F(MatrixFileWriterTest, ElementRows) {
    struct Case {
        const char* label;
        std::string delimiter;
        Variant matrix;
        std::string rows; // the element rows as written
    };
    const Case cases[] = {
        {"texts are trimmed of blanks only", " ", matrixOf({{"  1 ", "\t2"}, {"", " -3.5"}}),
         " 1 \t2\r\n  -3.5\r\n"},
        {"numbers in the general text form", ",", matrixOf({{1e-05, -0.5}, {3.0, 1234567.25}}),
         " 1E-05,-0.5\r\n 3,1234567.25\r\n"},
        {"empty elements stay empty", ";", matrixOf({{Variant(), "2", Variant()}}), " ;2;\r\n"},
        {"a delimiter of several characters", "; ", matrixOf({{"1", "2", "3"}}), " 1; 2; 3\r\n"},
        {"an empty delimiter joins the elements", "", matrixOf({{"1", "2"}}), " 12\r\n"},
        {"a single column has no delimiter", ",", matrixOf({{"7"}, {"8"}}), " 7\r\n 8\r\n"},
        {"a line break inside an element becomes a blank", " ", matrixOf({{"1\r\n2"}}), " 1 2\r\n"},
        {"a grid matrix is written from index 1", " ", matrixOf({{"1", "2"}, {"3", "4"}}, 0),
         " 1 2\r\n 3 4\r\n"},
    };
    for (const auto& c : cases) {
        std::string out = write(c.delimiter, "M", "", c.matrix);
        auto start = out.find("\r\n\r\n", out.find("Columns -")) + 4;
        EXPECT_EQ(out.substr(start), c.rows + "\r\n") << c.label;
    }
}

TEST_F(MatrixFileWriterTest, CountLinesHaveSignPlaceAndTrailingBlank) {
    Array a = Array::matrix(12, 305);
    std::string out = write(" ", "Big", "", Variant(std::move(a)));
    EXPECT_NE(out.find("\r\nRows - 12 \r\nColumns - 305 \r\n\r\n"), std::string::npos);
}

TEST_F(MatrixFileWriterTest, LineBreaksInNameAndDescriptionBecomeOneBlankEach) {
    std::string out = write(" ", "A\r\nB\nC\rD", "one\r\n\r\ntwo\n", matrixOf({{"1"}}));
    EXPECT_NE(out.find("\r\nMatrix - A B C D\r\n\r\nDescription - one  two \r\nRows - 1 \r\n"),
              std::string::npos)
        << out;
}

TEST_F(MatrixFileWriterTest, UnicodeTextIsWrittenAsUtf8Bytes) {
    std::string out = write(" ", "\xCE\x94", "\xE7\x9F\xA9\xE9\x98\xB5", matrixOf({{"1"}}));
    EXPECT_NE(out.find("Matrix - \xCE\x94\r\n"), std::string::npos);
    EXPECT_NE(out.find("Description - \xE7\x9F\xA9\xE9\x98\xB5\r\n"), std::string::npos);
}

TEST_F(MatrixFileWriterTest, ValuesThatAreNotMatricesRaiseRunTimeErrors) {
    MatrixFileWriter w(format, " ");
    auto errorOf = [&w](const Variant& v) {
        std::string out;
        try {
            w.entry(out, "X", "", v);
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    const Variant empty;
    EXPECT_EQ(errorOf(empty), 13);
    EXPECT_EQ(errorOf(Variant("1")), 13);
    EXPECT_EQ(errorOf(Variant(Array::vector(0, 1))), 9);
    Array nested = Array::matrix(1, 1);
    nested.at(1, 1) = Variant(Array::matrix(1, 1));
    EXPECT_EQ(errorOf(Variant(std::move(nested))), 13);
}

} // namespace
} // namespace velmor
