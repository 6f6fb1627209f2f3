#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include <Eigen/Dense>

#include "bench/bench_support.h"
#include "ui/adapters/engine_adapter.h"
#include "engine/number_format.h"
#include "ui/view/dialog_service.h"
#include "ui/view/form.h"
#include "ui/view/grid.h"

namespace {

using namespace velmor;

constexpr int kOrder = 500;

// Element texts as the user keys them or a data file holds them.
std::string elementText(int i, int j, int seed) {
    return std::to_string((i * 31 + j * 17 + seed) % 2000 - 1000) + "." +
           std::to_string((i + j * 7 + seed) % 1000);
}

Variant textMatrix(int n, int seed) {
    Array a = Array::matrix(n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) a.at(i, j) = Variant(elementText(i, j, seed));
    return Variant(std::move(a));
}

// The Add button's work before the window opens: sum two keyed matrices and write the
// result with its headings into the result grid.
void BM_AddAndShow500(benchmark::State& state) {
    velmor::bench::SilentDialogs dialogs;
    NumberFormat format;
    EngineAdapter engine(dialogs, format);
    Form form("frmMatrixOutput");
    Grid grid(form, "MSFlexGrid1");
    Variant a = textMatrix(kOrder, 1), b = textMatrix(kOrder, 2);
    for (auto _ : state) {
        Variant sum = engine.Add(a, b);
        engine.FlexGrid = &grid;
        engine.ArrayToGrid(sum);
        benchmark::DoNotOptimize(grid.revision());
    }
    if (grid.Rows() != kOrder + 1) state.SkipWithError("the sum did not reach the grid");
}
BENCHMARK(BM_AddAndShow500)->Unit(benchmark::kMillisecond);

// The same job around Eigen: parse the texts, add, write 15 significant digits per cell.
void BM_EigenAddAndShow500(benchmark::State& state) {
    Form form("frmMatrixOutput");
    Grid grid(form, "MSFlexGrid1");
    std::vector<std::string> ta, tb;
    for (int i = 1; i <= kOrder; ++i)
        for (int j = 1; j <= kOrder; ++j) {
            ta.push_back(elementText(i, j, 1));
            tb.push_back(elementText(i, j, 2));
        }
    for (auto _ : state) {
        Eigen::MatrixXd a(kOrder, kOrder), b(kOrder, kOrder);
        for (int i = 0; i < kOrder; ++i)
            for (int j = 0; j < kOrder; ++j) {
                auto k = static_cast<std::size_t>(i * kOrder + j);
                a(i, j) = std::strtod(ta[k].c_str(), nullptr);
                b(i, j) = std::strtod(tb[k].c_str(), nullptr);
            }
        Eigen::MatrixXd sum = a + b;
        grid.setRows(kOrder + 1);
        grid.setCols(kOrder + 1);
        char buf[32];
        for (int i = 0; i < kOrder; ++i)
            for (int j = 0; j < kOrder; ++j) {
                auto r =
                    std::to_chars(buf, buf + sizeof buf, sum(i, j), std::chars_format::general, 15);
                grid.setTextMatrix(i + 1, j + 1, std::string(buf, r.ptr));
            }
        benchmark::DoNotOptimize(grid.revision());
    }
}
BENCHMARK(BM_EigenAddAndShow500)->Unit(benchmark::kMillisecond);

} // namespace
