#pragma once

#include <cstddef>
#include <cstdint>

namespace velmor {

// One elimination sweep of Gauss-Jordan inversion over a range of rows, with the pivot
// search of the next pass folded in.
struct SweepArgs {
    double* const* rows;
    int pc;                      // pivot column; rows[pc] is the scaled pivot row
    std::size_t width;           // doubles per row to update, a multiple of eight
    const double* cap;           // +infinity for candidate columns, -1 elsewhere
    const unsigned char* search; // rows that take part in the next pivot search
    const unsigned char* skip;   // rows whose update is deferred (nullptr: none)
};

// The greatest candidate magnitude of a set of rows and its row; below 0 when none.
struct RowMax {
    double magnitude = -1.0;
    int row = -1;

    // Keeps the greater magnitude, and of equal ones the higher row: the last one in a scan
    // by ascending rows, whatever order the rows were swept in.
    void merge(const RowMax& o) {
        if (o.magnitude > magnitude || (o.magnitude == magnitude && o.row > row)) *this = o;
    }
};

// For every row r in [begin, end) other than the pivot row and the skipped ones:
//   dum = a(r, pc); a(r, pc) = 0; a(r, l) = a(r, l) - a(pc, l) * dum for every l,
// exactly as the scalar loop rounds, and merges the rows flagged in `search` into `best`.
void sweepRows(const SweepArgs& s, int begin, int end, RowMax& best);

} // namespace velmor
