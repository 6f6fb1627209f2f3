#include <cstdio>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "engine/exact_fractions.h"
#include "engine/number_format.h"

namespace {

using velmor::Variant;
namespace exact = velmor::exact;

// An n x n matrix of texts as keyed: whole numbers in -99..99, or 15-digit decimals in (-1, 1).
Variant keyed(int n, bool decimals) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<int> whole(-99, 99);
    std::uniform_real_distribution<double> real(-1.0, 1.0);
    velmor::Array a = velmor::Array::matrix(n, n);
    char buf[32];
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) {
            if (decimals)
                std::snprintf(buf, sizeof buf, "%.15f", real(rng));
            else
                std::snprintf(buf, sizeof buf, "%d", whole(rng));
            a.at(r, c) = std::string(buf);
        }
    return a;
}

void BM_ExactDeterminantIntegers(benchmark::State& state) {
    const velmor::NumberFormat format(".");
    const Variant a = keyed(static_cast<int>(state.range(0)), false);
    for (auto _ : state) benchmark::DoNotOptimize(exact::determinantFraction(a, format));
}

void BM_ExactDeterminantDecimals(benchmark::State& state) {
    const velmor::NumberFormat format(".");
    const Variant a = keyed(static_cast<int>(state.range(0)), true);
    for (auto _ : state) benchmark::DoNotOptimize(exact::determinantFraction(a, format));
}

template <exact::Operation op> void BM_ExactIntegers(benchmark::State& state) {
    const velmor::NumberFormat format(".");
    const Variant a = keyed(static_cast<int>(state.range(0)), false);
    for (auto _ : state) benchmark::DoNotOptimize(exact::fractions(op, a, nullptr, "", format));
}

} // namespace

// Texts to exact result, parsing included; the targets are under 0.5 s (integers) and 2 s
// (decimals) for the determinant at order 200, under 2 s for adjoint and inverse at 100.
BENCHMARK(BM_ExactDeterminantIntegers)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactDeterminantDecimals)->Arg(200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactIntegers<exact::Operation::Adjoint>)
    ->Name("BM_ExactAdjointIntegers")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactIntegers<exact::Operation::Invert>)
    ->Name("BM_ExactInverseIntegers")
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
