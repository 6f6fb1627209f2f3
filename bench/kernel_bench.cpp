#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_support.h"
#include "engine/gauss_jordan.h"
#include "engine/lu_factor.h"
#include "engine/multiply_kernel.h"

// The kernels alone, on arrays of doubles, one thread: what the engine calls add to them is
// the conversion of the values.
namespace {

using Doubles = std::vector<double>;

Doubles rowMajor(const Eigen::MatrixXd& m) {
    Doubles out(static_cast<std::size_t>(m.size()));
    for (Eigen::Index r = 0; r < m.rows(); ++r)
        for (Eigen::Index c = 0; c < m.cols(); ++c) out[r * m.cols() + c] = m(r, c);
    return out;
}

void BM_KernelMultiply(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Doubles a = rowMajor(velmor::bench::wellConditioned(n));
    Doubles c(a.size());
    for (auto _ : state) {
        velmor::multiplyDense(a.data(), a.data(), c.data(), n, n, n, velmor::KernelIsa::Best, 1);
        benchmark::DoNotOptimize(c.data());
    }
}

void BM_KernelDeterminant(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Doubles a = rowMajor(velmor::bench::wellConditioned(n));
    Doubles w(a.size());
    for (auto _ : state) {
        w = a; // as Eigen's determinant copies its matrix
        bool odd = false;
        benchmark::DoNotOptimize(velmor::luFactor(w.data(), n, odd));
    }
}

void BM_KernelInvert(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Doubles a = rowMajor(velmor::bench::wellConditioned(n));
    for (auto _ : state) {
        velmor::GaussJordan gj(n);
        gj.setThreads(1, 0);
        for (int r = 0; r < n; ++r)
            std::copy_n(a.data() + static_cast<std::size_t>(r) * n, n, gj.matrix().row(r));
        benchmark::DoNotOptimize(gj.run());
    }
}

} // namespace

BENCHMARK(BM_KernelMultiply)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KernelDeterminant)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KernelInvert)->Arg(1000)->Unit(benchmark::kMillisecond);
