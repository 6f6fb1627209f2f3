#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "store/file_io.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"

namespace velmor {
namespace {

struct Sample {
    std::string name, description;
    std::vector<std::vector<std::string>> rows;
};

struct ExerciseFile {
    std::string file, delimiter;
    std::vector<Sample> matrices;
};

// The sample files in exercises/, as the user would have keyed them in.
const std::vector<ExerciseFile>& exercises() {
    static const std::vector<ExerciseFile> files = {
        {"2x2-basics.txt",
         " ",
         {{"A", "Invertible: the inverse is 0.6 -0.7 / -0.2 0.4", {{"4", "7"}, {"2", "6"}}},
          {"B", "Add to A, or multiply A by it", {{"1", "2"}, {"3", "4"}}},
          {"I2", "The 2 x 2 identity", {{"1", "0"}, {"0", "1"}}},
          {"S", "Singular: the second row is twice the first", {{"1", "2"}, {"2", "4"}}}}},
        {"3x3-systems.txt",
         " ",
         {{"M",
           "Coefficients of 2x + y - z = 8, -3x - y + 2z = -11, -2x + y + 2z = -3",
           {{"2", "1", "-1"}, {"-3", "-1", "2"}, {"-2", "1", "2"}}},
          {"b", "Right-hand side: multiply the inverse of M by b", {{"8"}, {"-11"}, {"-3"}}},
          {"N",
           "Singular: row 3 is the sum of rows 1 and 2",
           {{"1", "2", "3"}, {"4", "5", "6"}, {"5", "7", "9"}}},
          {"Sym",
           "Symmetric and positive definite",
           {{"4", "1", "2"}, {"1", "3", "0"}, {"2", "0", "5"}}},
          {"Hilbert3",
           "Nearly singular: watch the size of the inverse",
           {{"1", "0.5", "0.333333333333333"},
            {"0.5", "0.333333333333333", "0.25"},
            {"0.333333333333333", "0.25", "0.2"}}}}},
        {"rotation-and-scaling.txt",
         " ",
         {{"R30",
           "Rotation by 30 degrees",
           {{"0.866025403784439", "-0.5"}, {"0.5", "0.866025403784439"}}},
          {"R90",
           "Rotation by 90 degrees; four of them give the identity",
           {{"0", "-1"}, {"1", "0"}}},
          {"Scale", "Stretch x by 2 and y by 3", {{"2", "0"}, {"0", "3"}}},
          {"Shear", "Horizontal shear by 1.5", {{"1", "1.5"}, {"0", "1"}}},
          {"Square",
           "Corners of the unit square, one per column: multiply a transform by it",
           {{"0", "1", "1", "0"}, {"0", "0", "1", "1"}}}}},
        {"comma-delimited.txt",
         ",",
         {{"P", "Price per unit of three products", {{"2.5", "4", "10.75"}}},
          {"Q",
           "Units of each product sold in two shops: P x Q is the takings",
           {{"12", "7"}, {"3", "9"}, {"5", "0"}}},
          {"T", "Transpose it, or multiply it by Q", {{"1", "2", "3"}, {"4", "5", "6"}}}}},
    };
    return files;
}

std::string fileBytes(const ExerciseFile& f) {
    NumberFormat format(".");
    MatrixFileWriter writer(format, f.delimiter);
    std::string out;
    writer.header(out, "5/12/2026 9:00:00 AM");
    for (const auto& m : f.matrices) {
        Array a =
            Array::matrix(static_cast<int>(m.rows.size()), static_cast<int>(m.rows[0].size()));
        for (std::size_t i = 0; i < m.rows.size(); ++i)
            for (std::size_t j = 0; j < m.rows[i].size(); ++j)
                a.at(static_cast<int>(i + 1), static_cast<int>(j + 1)) = Variant(m.rows[i][j]);
        writer.entry(out, m.name, m.description, Variant(std::move(a)));
    }
    writer.footer(out);
    return out;
}

// The sample files are the writer's own output, byte for byte, and read back complete.
// Run with VELMOR_WRITE_EXERCISES=1 to write them anew after a change here.
TEST(Exercises, SampleFilesAreTheWritersOutputAndReadBack) {
    const char* source = std::getenv("VELMOR_SOURCE_DIR");
    if (!source) GTEST_SKIP() << "VELMOR_SOURCE_DIR not set";
    const bool rewrite = std::getenv("VELMOR_WRITE_EXERCISES") != nullptr;
    NumberFormat format(".");
    for (const auto& f : exercises()) {
        SCOPED_TRACE(f.file);
        const std::string path = std::string(source) + "/exercises/" + f.file;
        const std::string expected = fileBytes(f);
        if (rewrite) writeFileSafely(path, expected, false);
        const std::string bytes = readFileBytes(path);
        EXPECT_EQ(bytes, expected);
        auto got = MatrixFileReader(format, f.delimiter).parse(bytes);
        ASSERT_EQ(got.matrices.size(), f.matrices.size());
        for (std::size_t k = 0; k < got.matrices.size(); ++k) {
            const auto& m = got.matrices[k];
            EXPECT_EQ(m.name, f.matrices[k].name);
            EXPECT_EQ(m.description, f.matrices[k].description);
            const auto& rows = f.matrices[k].rows;
            for (std::size_t i = 0; i < rows.size(); ++i)
                for (std::size_t j = 0; j < rows[i].size(); ++j)
                    EXPECT_EQ(m.matrix.array()
                                  .at(static_cast<int>(i + 1), static_cast<int>(j + 1))
                                  .text(),
                              rows[i][j]);
        }
    }
}

} // namespace
} // namespace velmor
