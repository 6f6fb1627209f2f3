#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace velmor {

// A square matrix of doubles for the numeric kernels: rows 64-byte aligned and padded with
// zeros to a multiple of eight doubles, reached through row pointers so that a row swap is a
// pointer swap. Indices are 0-based.
class DenseMatrix {
  public:
    explicit DenseMatrix(int n) : n_(n), stride_(paddedStride(n)), rows_(n > 0 ? n : 0) {
        std::size_t bytes = sizeof(double) * stride_ * rows_.size();
        if (bytes > 0) {
            void* p = std::aligned_alloc(64, bytes);
            if (!p) throw std::bad_alloc();
            data_.reset(static_cast<double*>(p));
            std::fill_n(data_.get(), stride_ * rows_.size(), 0.0);
        }
        for (std::size_t r = 0; r < rows_.size(); ++r) rows_[r] = data_.get() + r * stride_;
    }

    int order() const { return n_; }
    // Doubles per row including the padding; a multiple of eight.
    std::size_t stride() const { return stride_; }

    double* row(int r) { return rows_[r]; }
    const double* row(int r) const { return rows_[r]; }
    double* const* rows() { return rows_.data(); }
    double& operator()(int r, int c) { return rows_[r][c]; }
    double operator()(int r, int c) const { return rows_[r][c]; }

    void swapRows(int a, int b) { std::swap(rows_[a], rows_[b]); }

  private:
    struct Free {
        void operator()(double* p) const { std::free(p); }
    };

    static std::size_t paddedStride(int n) {
        std::size_t s = n > 0 ? (static_cast<std::size_t>(n) + 7) / 8 * 8 : 0;
        // Rows a multiple of 4 KiB apart make the pivot row and the row being updated alias
        // in the store buffer; one extra cache line avoids it.
        if (s > 0 && s % 512 == 0) s += 8;
        return s;
    }

    int n_;
    std::size_t stride_;
    std::unique_ptr<double[], Free> data_;
    std::vector<double*> rows_;
};

} // namespace velmor
