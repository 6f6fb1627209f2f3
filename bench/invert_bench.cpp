#include <random>

#include <benchmark/benchmark.h>

#include <Eigen/Dense>

#include "engine/cvelmor.h"

namespace {

// Boxes go nowhere: the benchmark times the engine, not the dialogs.
class SilentDialogs : public velmor::DialogService {
  public:
    velmor::MsgResult msgBox(const std::string&, velmor::MsgButtons, velmor::MsgIcon,
                             const std::string&) override {
        return velmor::MsgResult::OK;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    void showOpen(velmor::FileDialog&) override {}
    void showSave(velmor::FileDialog&) override {}
    void showForm(velmor::Form&, bool) override {}
};

// The same well-conditioned matrix for both: uniform in [-1, 1] plus n on the diagonal, as
// in the native Eigen benchmark.
Eigen::MatrixXd wellConditioned(int n) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Eigen::MatrixXd a(n, n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) a(r, c) = u(rng) + (r == c ? n : 0);
    return a;
}

velmor::Variant asVariant(const Eigen::MatrixXd& a) {
    const int n = static_cast<int>(a.rows());
    velmor::Array m = velmor::Array::matrix(n, n);
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) m.at(r, c) = a(r - 1, c - 1);
    return m;
}

void BM_VelmorInvert(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    SilentDialogs dialogs;
    velmor::NumberFormat format(".");
    velmor::CVelmor engine(dialogs, format);
    velmor::Variant a = asVariant(wellConditioned(n));
    for (auto _ : state) {
        velmor::Variant inv = engine.Invert(a);
        benchmark::DoNotOptimize(inv);
    }
}

void BM_EigenInverse(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Eigen::MatrixXd a = wellConditioned(n), c(n, n);
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
