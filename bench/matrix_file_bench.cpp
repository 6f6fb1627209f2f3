#include <cstdio>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "engine/number_format.h"
#include "store/file_io.h"
#include "store/matrix_file_reader.h"
#include "store/matrix_file_writer.h"
#include "tests/support/temp_dir.h"

// Writing and reading a data file of one 1000 x 1000 matrix (about 10 MB), end to end:
// formatting, the crash-safe write and the read back through the reader.
namespace {

using namespace velmor;

constexpr int kOrder = 1000;

// Elements as keyed or read from a file: texts such as "-123.4567".
Variant textMatrix() {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> d(-1000.0, 1000.0);
    Array a = Array::matrix(kOrder, kOrder);
    char buf[32];
    for (int i = 1; i <= kOrder; ++i)
        for (int j = 1; j <= kOrder; ++j) {
            std::snprintf(buf, sizeof buf, "%.4f", d(rng));
            a.at(i, j) = Variant(std::string(buf));
        }
    return Variant(std::move(a));
}

// Elements as the engine computes them: doubles written in the general text form.
Variant numberMatrix() {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> d(-1000000, 1000000);
    Array a = Array::matrix(kOrder, kOrder);
    for (int i = 1; i <= kOrder; ++i)
        for (int j = 1; j <= kOrder; ++j) a.at(i, j) = Variant(d(rng) / 1000.0);
    return Variant(std::move(a));
}

std::string fileText(const NumberFormat& format, const Variant& m) {
    MatrixFileWriter writer(format, " ");
    std::string bytes;
    writer.header(bytes, "12/5/2026 1:14:27 AM");
    writer.entry(bytes, "Big", "one thousand square", m);
    writer.footer(bytes);
    return bytes;
}

void writeBench(benchmark::State& state, const Variant& m) {
    NumberFormat format(".");
    test::TempDir dir;
    const std::string path = dir.file("big.txt");
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = fileText(format, m);
        writeFileSafely(path, text, false);
        bytes = text.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_WriteMatrixFile(benchmark::State& state) {
    writeBench(state, textMatrix());
}
BENCHMARK(BM_WriteMatrixFile)->Unit(benchmark::kMillisecond);

void BM_WriteMatrixFileNumbers(benchmark::State& state) {
    writeBench(state, numberMatrix());
}
BENCHMARK(BM_WriteMatrixFileNumbers)->Unit(benchmark::kMillisecond);

void BM_ReadMatrixFile(benchmark::State& state) {
    NumberFormat format(".");
    test::TempDir dir;
    const std::string path = dir.file("big.txt");
    writeFileSafely(path, fileText(format, textMatrix()), false);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string text = readFileBytes(path);
        MatrixFileContents contents = MatrixFileReader(format, " ").parse(text);
        benchmark::DoNotOptimize(contents.matrices.data());
        bytes = text.size();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_ReadMatrixFile)->Unit(benchmark::kMillisecond);

} // namespace
