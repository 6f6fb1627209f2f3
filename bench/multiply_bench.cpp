#include <benchmark/benchmark.h>

#include <string>

#include <Eigen/Dense>

#include "bench/bench_support.h"
#include "ui/adapters/engine_adapter.h"
#include "engine/number_format.h"
#include "ui/view/dialog_service.h"

namespace {

using namespace velmor;

// The same values for both libraries: Eigen's Random with a fixed seed.
Eigen::MatrixXd operand(int n, unsigned seed) {
    std::srand(seed);
    return Eigen::MatrixXd::Random(n, n);
}

Variant toMatrix(const Eigen::MatrixXd& m) {
    Array a = Array::matrix(static_cast<int>(m.rows()), static_cast<int>(m.cols()));
    for (int i = 0; i < m.rows(); ++i)
        for (int j = 0; j < m.cols(); ++j) a.at(i + 1, j + 1) = Variant(m(i, j));
    return Variant(std::move(a));
}

// The whole call as the Multiply button makes it: numbers in, a matrix value out.
void BM_VelmorMultiply(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    velmor::bench::SilentDialogs dialogs;
    NumberFormat format;
    EngineAdapter engine(dialogs, format);
    Variant a = toMatrix(operand(n, 1)), b = toMatrix(operand(n, 2));
    for (auto _ : state) {
        Variant product = engine.Multiply(a, b);
        benchmark::DoNotOptimize(&product);
    }
    state.SetItemsProcessed(state.iterations() * 2LL * n * n * n);
}

void BM_EigenMultiply(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Eigen::MatrixXd a = operand(n, 1), b = operand(n, 2), c(n, n);
    for (auto _ : state) {
        c.noalias() = a * b;
        benchmark::DoNotOptimize(c.data());
    }
    state.SetItemsProcessed(state.iterations() * 2LL * n * n * n);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_VelmorMultiply)->Apply(sizes);
BENCHMARK(BM_EigenMultiply)->Apply(sizes);

} // namespace
