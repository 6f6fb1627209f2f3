#include <benchmark/benchmark.h>

#include <Eigen/Dense>

// Eigen's own kernels at full processor width, for comparison only.
static Eigen::MatrixXd randomWellConditioned(int n) {
    Eigen::MatrixXd a = Eigen::MatrixXd::Random(n, n);
    a.diagonal().array() += n;
    return a;
}

static void BM_EigenNativeProduct(benchmark::State& state) {
    int n = static_cast<int>(state.range(0));
    Eigen::MatrixXd a = randomWellConditioned(n), b = randomWellConditioned(n), c(n, n);
    for (auto _ : state) {
        c.noalias() = a * b;
        benchmark::DoNotOptimize(c.data());
    }
}
BENCHMARK(BM_EigenNativeProduct)
    ->Arg(10)
    ->Arg(100)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

static void BM_EigenNativeInverse(benchmark::State& state) {
    int n = static_cast<int>(state.range(0));
    Eigen::MatrixXd a = randomWellConditioned(n), c(n, n);
    for (auto _ : state) {
        c = a.inverse();
        benchmark::DoNotOptimize(c.data());
    }
}
BENCHMARK(BM_EigenNativeInverse)
    ->Arg(10)
    ->Arg(100)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

static void BM_EigenNativeDeterminant(benchmark::State& state) {
    int n = static_cast<int>(state.range(0));
    Eigen::MatrixXd a = randomWellConditioned(n);
    for (auto _ : state) benchmark::DoNotOptimize(a.determinant());
}
BENCHMARK(BM_EigenNativeDeterminant)
    ->Arg(10)
    ->Arg(100)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);
