#include <random>

#include <benchmark/benchmark.h>

#include <Eigen/Dense>

#include "bench/bench_support.h"
#include "ui/adapters/engine_adapter.h"

namespace {

void BM_VelmorDeterminant(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    velmor::bench::SilentDialogs dialogs;
    velmor::NumberFormat format(".");
    velmor::EngineAdapter engine(dialogs, format);
    velmor::Variant a = velmor::bench::asVariant(velmor::bench::wellConditioned(n) / n);
    for (auto _ : state) benchmark::DoNotOptimize(engine.GetDeterminant(a));
}

void BM_EigenDeterminant(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Eigen::MatrixXd a = velmor::bench::wellConditioned(n) / n;
    for (auto _ : state) benchmark::DoNotOptimize(a.determinant());
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
}

} // namespace

// Order 10 is still a cofactor expansion (about 0.2 s a call). Same flags for both.
BENCHMARK(BM_VelmorDeterminant)->Apply(sizes);
BENCHMARK(BM_EigenDeterminant)->Apply(sizes);
