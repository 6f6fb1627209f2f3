#include <random>

#include <benchmark/benchmark.h>

#include <Eigen/Dense>

#include "bench/bench_support.h"
#include "ui/adapters/engine_adapter.h"

namespace {

void BM_VelmorInvert(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    velmor::bench::SilentDialogs dialogs;
    velmor::NumberFormat format(".");
    velmor::EngineAdapter engine(dialogs, format);
    velmor::Variant a = velmor::bench::asVariant(velmor::bench::wellConditioned(n));
    for (auto _ : state) {
        velmor::Variant inv = engine.Invert(a);
        benchmark::DoNotOptimize(inv);
    }
}

void BM_EigenInverse(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Eigen::MatrixXd a = velmor::bench::wellConditioned(n), c(n, n);
    for (auto _ : state) {
        c = a.inverse();
        benchmark::DoNotOptimize(c.data());
    }
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(100)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
}

} // namespace

// Same matrices, same flags.
BENCHMARK(BM_VelmorInvert)->Apply(sizes);
BENCHMARK(BM_EigenInverse)->Apply(sizes);
