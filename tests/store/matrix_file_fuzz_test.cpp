#include <cstdlib>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/limits.h"
#include "engine/number_format.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"

namespace velmor {
namespace {

const char* const kDelimiters[] = {" ", ",", ";", "", "; ", "\t", "-", "#"};
const char* const kNames[] = {"A", "b", "Matrix - C", "#1", "-", "\xCE\x94", "rows-2", ""};
// clang-format off
const std::string kInserts[] = {"Matrix - ", "Rows - ", "Columns - ", "#", "\r", "\n", "\xff",
    "Rows - 32768\r", "Columns - 1e9\r", "Rows - -1\r", "Columns - 2.5\r",
    "Rows - 3000\rColumns - 3000\r"};
// clang-format on

// Every matrix the reader yields is named, indexed from 1 and within the cell limit.
void expectWellFormed(const MatrixFileContents& got) {
    for (const auto& m : got.matrices) {
        const Array& a = m.matrix.array();
        ASSERT_FALSE(m.name.empty());
        ASSERT_EQ(a.dims(), 2);
        ASSERT_EQ(a.lbound(1) + a.lbound(2), 2);
        ASSERT_TRUE(a.ubound(1) >= 1 && a.ubound(2) >= 1);
        ASSERT_LE(static_cast<long long>(a.ubound(1)) * a.ubound(2), kMaxMatrixCells);
    }
}

// Seeded damage to files the writer wrote, and random bytes: the reader never crashes or hangs.
TEST(MatrixFileFuzz, DamagedFilesAndRandomBytesReadSafely) {
    const char* env = std::getenv("VELMOR_FUZZ_ITERATIONS");
    const long n = env && std::atol(env) > 0 ? std::atol(env) : 15000;
    const char alphabet[] = "Matrix-Rows-Columns-Description- #\r\n0123456789.,E+\xC3\xA9\xff";
    NumberFormat format(".");
    std::mt19937 rng(20260512);
    long matrices = 0, oversize = 0;
    for (long it = 0; it < n; ++it) {
        SCOPED_TRACE(it);
        const char* delimiter = kDelimiters[rng() % 8];
        MatrixFileWriter writer(format, delimiter);
        std::string file;
        writer.header(file, "12/5/2026 1:14:27 AM");
        for (int m = 1 + rng() % 4; m > 0; --m) {
            Array a = Array::matrix(1 + rng() % 4, 1 + rng() % 4);
            for (int i = 1; i <= a.ubound(1); ++i)
                for (int j = 1; j <= a.ubound(2); ++j)
                    a.at(i, j) = rng() % 4 ? Variant(rng() % 99 / 4.0 - 12) : "x y";
            writer.entry(file, kNames[rng() % 8], kNames[rng() % 8], Variant(std::move(a)));
        }
        for (int k = 1 + rng() % 6; k > 0; --k) {
            const std::size_t at = rng() % file.size(), op = rng() % 8;
            if (op == 0) file[at] = static_cast<char>(rng());
            if (op == 1) file.erase(at, rng() % 40);
            if (op == 2) file.resize(at);
            if (op > 2) file.insert(at, kInserts[rng() % std::size(kInserts)]);
            if (file.empty()) file = "Matrix - A\r\n";
        }
        // Now and then read with another delimiter than the one written.
        if (rng() % 4 == 0) delimiter = kDelimiters[rng() % 8];
        MatrixFileContents got = MatrixFileReader(format, delimiter).parse(file);
        expectWellFormed(got);
        matrices += static_cast<long>(got.matrices.size());
        oversize += got.oversize;
        std::string noise(rng() % 300, ' ');
        for (char& c : noise) c = alphabet[rng() % (sizeof alphabet - 1)];
        expectWellFormed(MatrixFileReader(format, delimiter).parse(noise));
    }
    // Most damaged files must stay readable, and the size limit must be reached now and then.
    EXPECT_GT(matrices, n);
    EXPECT_GT(oversize, n / 1000);
}

} // namespace
} // namespace velmor
