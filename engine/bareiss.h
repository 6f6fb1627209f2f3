#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace velmor::bareiss {

// Exact arithmetic on integer matrices by fraction-free (Bareiss) elimination. Matrices are
// n x n, row-major. Every intermediate value is a minor of the input, so the elimination stays
// exact as long as those minors fit 64 bits; the functions give up (nullopt) when one does not.

// The matrix as integers when every element is an integer of magnitude below 2^62.
std::optional<std::vector<std::int64_t>> toIntegers(const std::vector<double>& m);

std::optional<std::int64_t> determinant(std::vector<std::int64_t> m, int n);

// Element (i, j) is the determinant of the matrix without row i and column j, each from its
// own elimination: O(n^5), meant for moderate orders, and exact whatever the rank.
std::optional<std::vector<std::int64_t>> minors(const std::vector<std::int64_t>& m, int n);

} // namespace velmor::bareiss
