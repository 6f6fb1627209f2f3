#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/limits.h"
#include "engine/number_format.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"

namespace velmor {
namespace {

long iterations() {
    const char* env = std::getenv("VELMOR_FUZZ_ITERATIONS");
    long n = env ? std::strtol(env, nullptr, 10) : 0;
    return n > 0 ? n : 15000;
}

const std::vector<std::string> kDelimiters = {" ", ",", ";", "", "; ", "\t", "-", "#"};

// A valid file of a few small matrices, as the writer lays it out.
std::string validFile(std::mt19937& rng, const NumberFormat& format, const std::string& delim) {
    const char* names[] = {"A", "b", "Matrix - C", "#1", "-", "\xCE\x94", "rows-2", ""};
    std::uniform_int_distribution<int> count(1, 4), pick(0, 7), digit(-99, 99);
    MatrixFileWriter writer(format, delim);
    std::string out;
    writer.header(out, "12/5/2026 1:14:27 AM");
    for (int m = count(rng); m > 0; --m) {
        int rows = count(rng), cols = count(rng);
        Array a = Array::matrix(rows, cols);
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= cols; ++j)
                a.at(i, j) = pick(rng) < 6 ? Variant(digit(rng) / 4.0) : Variant("x y");
        writer.entry(out, names[pick(rng)], names[pick(rng)], Variant(std::move(a)));
    }
    writer.footer(out);
    return out;
}

std::vector<std::string> splitLines(const std::string& s) {
    std::vector<std::string> lines;
    std::size_t p = 0;
    while (p <= s.size()) {
        std::size_t e = s.find('\n', p);
        if (e == std::string::npos) e = s.size();
        lines.push_back(s.substr(p, e - p + (e < s.size() ? 1 : 0)));
        p = e + 1;
    }
    return lines;
}

std::string mutate(std::string file, std::mt19937& rng) {
    const char* counts[] = {"32767",
                            "32768",
                            "-32769",
                            "0",
                            "-1",
                            "2.5",
                            "1E+300",
                            "5000",
                            "1e9",
                            "nan",
                            "2001",
                            "",
                            "99999999999999999999"};
    const char* inserts[] = {"Rows - ", "Columns - ", "Matrix - ", "Description - ",
                             "#",       "\r",         "\n",        "\xff\xfe",
                             "-",       " ",          "\xE7\x9F"};
    std::uniform_int_distribution<int> op(0, 7), n(1, 6);
    for (int k = n(rng); k > 0; --k) {
        if (file.empty()) file = "Matrix - A\r\n";
        std::uniform_int_distribution<std::size_t> at(0, file.size() - 1);
        switch (op(rng)) {
        case 0:
            file[at(rng)] ^= static_cast<char>(1 << (rng() % 8));
            break;
        case 1:
            file[at(rng)] = static_cast<char>(rng() % 256);
            break;
        case 2:
            file.insert(at(rng), inserts[rng() % std::size(inserts)]);
            break;
        case 3:
            file.erase(at(rng), rng() % 40);
            break;
        case 4:
            file.resize(at(rng));
            break;
        case 5: { // duplicate or drop a line
            auto lines = splitLines(file);
            std::size_t i = rng() % lines.size();
            if (rng() % 2)
                lines.insert(lines.begin() + static_cast<long>(i), lines[i]);
            else
                lines.erase(lines.begin() + static_cast<long>(i));
            file.clear();
            for (const auto& l : lines) file += l;
            break;
        }
        default: { // a huge or broken count
            const char* key = op(rng) % 2 ? "Rows -" : "Columns -";
            std::size_t p = file.find(key, at(rng));
            if (p == std::string::npos) p = file.find(key);
            if (p == std::string::npos) break;
            std::size_t e = file.find('\r', p);
            file.replace(p, (e == std::string::npos ? file.size() : e) - p,
                         std::string(key) + " " + counts[rng() % std::size(counts)]);
            break;
        }
        }
    }
    return file;
}

// Seeded mutations of valid files: the reader never crashes, never hangs, and every matrix it
// yields is well formed and within the cell limit.
TEST(MatrixFileFuzz, MutatedFilesReadSafely) {
    NumberFormat format(".");
    std::mt19937 rng(20260512);
    const long n = iterations();
    long matrices = 0, oversize = 0;
    for (long it = 0; it < n; ++it) {
        const std::string& writeDelim = kDelimiters[rng() % kDelimiters.size()];
        const std::string& readDelim =
            rng() % 4 ? writeDelim : kDelimiters[rng() % kDelimiters.size()];
        std::string file = mutate(validFile(rng, format, writeDelim), rng);
        MatrixFileContents got = MatrixFileReader(format, readDelim).parse(file);
        for (const auto& m : got.matrices) {
            ASSERT_FALSE(m.name.empty()) << "iteration " << it;
            const Array& a = m.matrix.array();
            ASSERT_EQ(a.dims(), 2);
            ASSERT_EQ(a.lbound(1), 1);
            ASSERT_EQ(a.lbound(2), 1);
            ASSERT_GE(a.ubound(1), 1);
            ASSERT_GE(a.ubound(2), 1);
            ASSERT_LE(static_cast<long long>(a.ubound(1)) * a.ubound(2), kMaxMatrixCells);
            for (int i = 1; i <= a.ubound(1); ++i)
                for (int j = 1; j <= a.ubound(2); ++j)
                    ASSERT_TRUE(a.at(i, j).isEmpty() || a.at(i, j).isText());
        }
        matrices += static_cast<long>(got.matrices.size());
        oversize += got.oversize;
    }
    // The mutations must leave most files readable and reach the size limit now and then.
    EXPECT_GT(matrices, n);
    EXPECT_GT(oversize, n / 1000);
}

// Random bytes, not derived from a valid file, at every line-end style.
TEST(MatrixFileFuzz, RandomBytesReadSafely) {
    NumberFormat format(".");
    std::mt19937 rng(7);
    const char alphabet[] = "Matrix-Rows-Columns-Description- #\r\n0123456789.,E+\xC3\xA9\xff";
    const long n = iterations();
    for (long it = 0; it < n; ++it) {
        std::string file(rng() % 300, ' ');
        for (char& c : file) c = alphabet[rng() % (sizeof alphabet - 1)];
        MatrixFileContents got =
            MatrixFileReader(format, kDelimiters[rng() % kDelimiters.size()]).parse(file);
        for (const auto& m : got.matrices)
            ASSERT_LE(static_cast<long long>(m.matrix.array().ubound(1)) *
                          m.matrix.array().ubound(2),
                      kMaxMatrixCells);
    }
}

} // namespace
} // namespace velmor
