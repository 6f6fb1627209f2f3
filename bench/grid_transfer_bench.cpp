#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_support.h"
#include "ui/adapters/engine_adapter.h"
#include "engine/number_format.h"
#include "ui/view/dialog_service.h"
#include "ui/view/form.h"
#include "ui/view/grid.h"

namespace {

using namespace velmor;

constexpr int kOrder = 1000;

// A computed result: numbers that need all 15 digits, some negative, some whole.
Variant resultMatrix() {
    Array a = Array::matrix(kOrder, kOrder);
    for (int i = 1; i <= kOrder; ++i)
        for (int j = 1; j <= kOrder; ++j)
            a.at(i, j) = Variant((j % 5 == 0) ? double(i - j) : (i * 1000.0 - j) / 7.0);
    return Variant(std::move(a));
}

// Writing a result into a fresh result window grid (2 x 2 at design).
void BM_ArrayToGrid(benchmark::State& state) {
    velmor::bench::SilentDialogs dialogs;
    NumberFormat format;
    EngineAdapter engine(dialogs, format);
    Form form("frmMatrixOutput");
    Grid grid(form, "MSFlexGrid1");
    engine.FlexGrid = &grid;
    Variant m = resultMatrix();
    for (auto _ : state) {
        state.PauseTiming();
        grid.setRows(2);
        grid.setCols(2);
        grid.setTextMatrix(1, 1, "");
        state.ResumeTiming();
        engine.ArrayToGrid(m);
    }
    if (grid.TextMatrix(kOrder, kOrder) != format.toText(m.array().at(kOrder, kOrder)))
        state.SkipWithError("the matrix did not reach the grid");
    state.SetItemsProcessed(state.iterations() * kOrder * kOrder);
}
BENCHMARK(BM_ArrayToGrid)->Unit(benchmark::kMillisecond);

// Reading a shown result back, as saving it from the result window does.
void BM_GridToArray(benchmark::State& state) {
    velmor::bench::SilentDialogs dialogs;
    NumberFormat format;
    EngineAdapter engine(dialogs, format);
    Form form("frmMatrixOutput");
    Grid grid(form, "MSFlexGrid1");
    engine.FlexGrid = &grid;
    engine.ArrayToGrid(resultMatrix());
    for (auto _ : state) {
        Variant m = engine.GridToArray();
        benchmark::DoNotOptimize(&m);
    }
    state.SetItemsProcessed(state.iterations() * kOrder * kOrder);
}
BENCHMARK(BM_GridToArray)->Unit(benchmark::kMillisecond);

} // namespace
