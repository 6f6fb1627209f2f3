#pragma once

#include <cstdint>
#include <vector>

#include "engine/dense_matrix.h"
#include "engine/progress.h"
#include "engine/row_sweep.h"

namespace velmor {

// In-place Gauss-Jordan inversion with full pivoting. Every element goes through exactly the
// multiplications and subtractions of the plain triple loop, in the same order, so the inverse
// is bit-for-bit that of the plain loops. The speed comes from the bookkeeping only: rows are
// swapped as pointers, the pivot search of the next pass runs inside the elimination sweep
// (rows ascending, columns ascending, the last element of greatest magnitude winning), the
// column swaps are undone through one permutation, and large orders split the sweep over two
// threads. Rows that were pivot rows before take no part in the search, so their updates are
// deferred and applied a block of passes at a time by the product kernel, which keeps each
// element's order of operations.
class GaussJordan {
  public:
    enum class Outcome {
        Inverted,
        Singular,       // a column chosen as pivot twice
        DivisionByZero, // a pivot below the threshold
        NoPivot,        // the first pass found no pivot at all (every element not a number)
        Overflow,       // an elimination step left the double range: the inverse is lost
    };

    static constexpr double kThreshold = 1E-13;

    // The matrix to invert; fill it before run(). Indices are 0-based.
    explicit GaussJordan(int n) : a_(n) {}
    DenseMatrix& matrix() { return a_; }

    // Threads used for orders of at least minParallelOrder (default: two from order 600, below
    // which waking the helper costs about what it saves).
    void setThreads(int threads, int minParallelOrder);
    // Checked before every pass; a cancelled one throws WorkCancelled.
    void setProgress(Progress* progress) { progress_ = progress; }

    Outcome run();

    // Element (r, c) of the inverse after Inverted, of the partly reduced matrix otherwise.
    double result(int r, int c) const { return a_(r, perm_[static_cast<std::size_t>(c)]); }

  private:
    static constexpr int kBlock = 32; // passes whose updates of earlier pivot rows wait

    RowMax firstSearch() const;
    int pivotColumn(const RowMax& p) const;
    void defer(int icol);
    void flush(bool deferAgain = true);

    DenseMatrix a_;
    std::vector<std::int16_t> ipiv_;
    std::vector<int> indxr_, indxc_, perm_;
    std::vector<double> cap_; // per column, for the fused search: see SweepArgs
    std::vector<unsigned char> searchRow_;
    // The block's scaled pivot rows (kBlock x stride) and columns; the deferred rows, flagged
    // and listed, with their multipliers (kBlock per listed row).
    std::vector<double> pivotRows_, multipliers_;
    std::vector<int> pivotCols_, deferredRows_;
    std::vector<unsigned char> deferred_;
    int passes_ = 0; // passes in the block so far
    int threads_ = 2;
    int minParallelOrder_ = 600;
    Progress* progress_ = nullptr;
};

} // namespace velmor
