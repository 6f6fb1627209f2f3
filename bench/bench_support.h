#pragma once

#include <random>
#include <string>

#include <Eigen/Dense>

#include "engine/variant.h"
#include "ui/view/dialog_service.h"

namespace velmor::bench {

// Boxes go nowhere: the benchmarks time the engine, not the dialogs. A file dialog answers
// `file`.
class SilentDialogs : public DialogService {
  public:
    std::string file;

    MsgResult msgBox(const std::string&, MsgButtons, MsgIcon, const std::string&) override {
        return MsgResult::OK;
    }
    std::string inputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    void showOpen(FileDialog& d) override { d.FileName = file; }
    void showSave(FileDialog& d) override { d.FileName = file; }
    void showForm(Form&, bool) override {}
};

// The same well-conditioned matrix for Velmor and Eigen: uniform in [-1, 1] plus n on the
// diagonal, as in the native Eigen benchmark.
inline Eigen::MatrixXd wellConditioned(int n) {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Eigen::MatrixXd a(n, n);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c) a(r, c) = u(rng) + (r == c ? n : 0);
    return a;
}

// An Eigen matrix as a matrix value of numbers with lower bounds 1.
inline Variant asVariant(const Eigen::MatrixXd& a) {
    const int rows = static_cast<int>(a.rows()), cols = static_cast<int>(a.cols());
    Array m = Array::matrix(rows, cols);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) m.at(r, c) = a(r - 1, c - 1);
    return m;
}

} // namespace velmor::bench
