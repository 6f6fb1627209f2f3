#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "engine/number_format.h"
#include "store/file_io.h"
#include "store/matrix_file_writer.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_dir.h"
#include "ui/dialogs/frm_properties.h"
#include "ui/main/frm_velmor.h"
#include "ui/output/frm_matrix_output.h"

// The main window's controller driven headless from the button (or menu) to the filled
// result grid, 1000 x 1000, with the phases those paths are made of timed on their own.
namespace {

using namespace velmor;

constexpr int kOrder = 1000;

// Elements as a data file holds them: texts such as "-123.4567", n added on the diagonal so
// that the matrix is well conditioned.
Variant fileMatrix(unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    Array a = Array::matrix(kOrder, kOrder);
    char buf[32];
    for (int i = 1; i <= kOrder; ++i)
        for (int j = 1; j <= kOrder; ++j) {
            std::snprintf(buf, sizeof buf, "%.4f", d(rng) + (i == j ? kOrder : 0));
            a.cell(i, j) = Variant(std::string(buf));
        }
    return Variant(std::move(a));
}

// A computed result: numbers that need all 15 digits.
std::vector<double> resultNumbers() {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> d(-1.0, 1.0);
    std::vector<double> v(static_cast<std::size_t>(kOrder) * kOrder);
    for (double& x : v) x = d(rng) * 1000.0 / 7.0;
    return v;
}

// The main window with two entries P and Q shown in the selectors, P in the top grid.
struct Window {
    bench::SilentDialogs dialogs;
    test::FakePlatform platform;
    NumberFormat format{"."};
    FrmVelmor w{dialogs, platform, format};

    Window() {
        w.mstrInputDelimiter = w.mstrOutputDelimiter = " ";
        for (const char* name : {"P", "Q"}) {
            w.Matrices.Add(name, fileMatrix(name[0]), "");
            w.cboMatrixInput.AddItem(name);
            w.cboMatrixInput2.AddItem(name);
        }
        w.cboMatrixInput.setListIndex(0);
        w.cboMatrixInput2.setListIndex(1);
    }
    bool shown() const {
        return w.frmMatrixOutput && w.frmMatrixOutput->MSFlexGrid1.Rows() == kOrder + 1;
    }
};

void press(benchmark::State& state, void (FrmVelmor::*button)()) {
    Window win;
    for (auto _ : state) {
        (win.w.*button)();
        benchmark::DoNotOptimize(win.w.frmMatrixOutput.get());
    }
    if (!win.shown()) state.SkipWithError("no result reached the result window");
}

void BM_PathMultiply(benchmark::State& state) {
    press(state, &FrmVelmor::cmdMultiply_Click);
}
void BM_PathInvert(benchmark::State& state) {
    press(state, &FrmVelmor::cmdInvert_Click);
}
void BM_PathAdd(benchmark::State& state) {
    press(state, &FrmVelmor::cmdAdd_Click);
}
BENCHMARK(BM_PathMultiply)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathInvert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PathAdd)->Unit(benchmark::kMillisecond);

void BM_PathProperties(benchmark::State& state) {
    Window win;
    for (auto _ : state) win.w.cmdProperties_Click();
    if (!win.w.frmProperties || win.w.frmProperties->txtTrace.Text().empty())
        state.SkipWithError("no properties shown");
}
BENCHMARK(BM_PathProperties)->Unit(benchmark::kMillisecond);

// File > Save of a list holding one 1000 x 1000 matrix into a new file, and File > Open of
// that file into an empty list, which shows the matrix in the top grid.
void BM_PathSave(benchmark::State& state) {
    Window win;
    win.w.Matrices.Delete(2);
    test::TempDir dir;
    win.dialogs.file = dir.file("saved.txt");
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(win.dialogs.file);
        state.ResumeTiming();
        win.w.mnuFileSave_Click();
    }
    if (!win.w.g.gfMatricesSaved) state.SkipWithError("nothing saved");
}
BENCHMARK(BM_PathSave)->Unit(benchmark::kMillisecond);

void BM_PathOpen(benchmark::State& state) {
    test::TempDir dir;
    {
        Window win;
        win.dialogs.file = dir.file("open.txt");
        win.w.Matrices.Delete(2);
        win.w.mnuFileSave_Click();
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto win = std::make_unique<Window>();
        win->w.Matrices.Delete(2);
        win->w.Matrices.Delete(1);
        win->w.cboMatrixInput.Clear();
        win->w.cboMatrixInput2.Clear();
        win->dialogs.file = dir.file("open.txt");
        state.ResumeTiming();
        win->w.mnuFileOpen_Click();
        state.PauseTiming();
        if (win->w.MSFlexGrid1.Rows() != kOrder + 1) state.SkipWithError("nothing shown");
        win.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PathOpen)->Unit(benchmark::kMillisecond);

// Phases.
void BM_PhaseNumberToText(benchmark::State& state) {
    NumberFormat format;
    std::vector<double> v = resultNumbers();
    char buf[NumberFormat::kTextBuffer];
    for (auto _ : state)
        for (double x : v) benchmark::DoNotOptimize(format.toText(x, buf));
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(v.size()));
}
BENCHMARK(BM_PhaseNumberToText)->Unit(benchmark::kMillisecond);

// The standard library's 15-digit form of the same numbers, for scale.
void BM_PhaseToChars(benchmark::State& state) {
    std::vector<double> v = resultNumbers();
    char buf[NumberFormat::kTextBuffer];
    for (auto _ : state)
        for (double x : v)
            benchmark::DoNotOptimize(
                std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, 15).ptr);
}
BENCHMARK(BM_PhaseToChars)->Unit(benchmark::kMillisecond);

void BM_PhaseTextToNumber(benchmark::State& state) {
    NumberFormat format;
    std::vector<std::string> texts;
    for (double x : resultNumbers()) texts.push_back(format.toText(x));
    for (auto _ : state)
        for (const std::string& t : texts) benchmark::DoNotOptimize(format.toNumber(t));
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(texts.size()));
}
BENCHMARK(BM_PhaseTextToNumber)->Unit(benchmark::kMillisecond);

// The standard library reading the same texts, for scale.
void BM_PhaseFromChars(benchmark::State& state) {
    NumberFormat format;
    std::vector<std::string> texts;
    for (double x : resultNumbers()) texts.push_back(format.toText(x));
    double value = 0;
    for (auto _ : state)
        for (const std::string& t : texts)
            benchmark::DoNotOptimize(std::from_chars(t.data(), t.data() + t.size(), value).ptr);
}
BENCHMARK(BM_PhaseFromChars)->Unit(benchmark::kMillisecond);

void BM_PhaseExtremes(benchmark::State& state) {
    NumberFormat format;
    CVelmor engine(format);
    Array a = Array::matrix(kOrder, kOrder);
    std::vector<double> v = resultNumbers();
    for (int i = 1; i <= kOrder; ++i)
        for (int j = 1; j <= kOrder; ++j)
            a.cell(i, j) = v[static_cast<std::size_t>(i - 1) * kOrder + (j - 1)];
    Variant m(std::move(a));
    for (auto _ : state) benchmark::DoNotOptimize(engine.GetMinMaxArray(m));
}
BENCHMARK(BM_PhaseExtremes)->Unit(benchmark::kMillisecond);

// Taking an entry out of the list, as every operation does with its operands.
void BM_PhaseOperandCopy(benchmark::State& state) {
    Variant m = fileMatrix(1);
    for (auto _ : state) {
        Variant copy = m;
        benchmark::DoNotOptimize(&copy);
    }
}
BENCHMARK(BM_PhaseOperandCopy)->Unit(benchmark::kMillisecond);

} // namespace
