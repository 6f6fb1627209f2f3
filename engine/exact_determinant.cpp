#include "engine/exact_determinant.h"

#include "engine/exact_matrix.h"

namespace velmor::exact {

double determinant(const Array& a, int n, const NumberFormat& format) {
    return determinant(readMatrix(a, n, n, format)).toDouble();
}

std::vector<double> adjugate(const Array& a, int n, const NumberFormat& format) {
    Matrix adj = adjugate(readMatrix(a, n, n, format));
    const auto un = static_cast<std::size_t>(n);
    std::vector<double> out(un * un);
    Rational x;
    for (long r = 0; r < n; ++r)
        for (long c = 0; c < n; ++c) {
            fmpq_swap(x.get(), adj.at(r, c));
            out[static_cast<std::size_t>(r) * un + static_cast<std::size_t>(c)] = x.toDouble();
        }
    return out;
}

} // namespace velmor::exact
