#include "engine/dense_determinant.h"

#include <cmath>
#include <cstdlib>

#include <Eigen/Dense>

#include "engine/lu_factor.h"

namespace velmor::dense {

namespace {

using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

// Below this reciprocal condition estimate, det(A) A^-1 loses too many digits to the inverse.
constexpr double kWellConditioned = 1e-6;

// A product kept as mantissa in [0.5, 1) (or 0, or not finite) times two to a wide exponent.
struct Scaled {
    double mantissa = 1.0;
    long exponent = 0;

    void times(double x) {
        int e = 0;
        mantissa *= std::frexp(x, &e);
        exponent += e;
        mantissa = std::frexp(mantissa, &e);
        exponent += e;
    }
    // x times this product, as a double (an infinity when beyond the range).
    double scale(double x) const { return ldexpWide(x * mantissa, exponent); }

    static double ldexpWide(double x, long e) {
        if (x == 0 || !std::isfinite(x)) return x;
        if (e > 4200) return std::copysign(HUGE_VAL, x);
        if (e < -4200) return std::copysign(0.0, x);
        return std::ldexp(x, static_cast<int>(e));
    }
};

Eigen::MatrixXd toEigen(const std::vector<double>& m, int n) {
    return Eigen::Map<const RowMajor>(m.data(), n, n);
}

std::vector<double> toRowMajor(const Eigen::MatrixXd& a) {
    std::vector<double> out(static_cast<std::size_t>(a.size()));
    Eigen::Map<RowMajor>(out.data(), a.rows(), a.cols()) = a;
    return out;
}

template <typename LU> Scaled luDeterminant(const LU& lu) {
    Scaled d;
    d.mantissa = lu.permutationP().determinant();
    for (Eigen::Index i = 0; i < lu.matrixLU().rows(); ++i) d.times(lu.matrixLU()(i, i));
    return d;
}

std::vector<double> svdAdjugate(const Eigen::MatrixXd& a) {
    const Eigen::Index n = a.rows();
    Eigen::BDCSVD<Eigen::MatrixXd> svd(a, Eigen::ComputeFullU | Eigen::ComputeFullV);
    const Eigen::VectorXd& s = svd.singularValues();
    // U and V are orthogonal: their determinants are +-1, only the signs count.
    const double sign =
        (svd.matrixU().determinant() < 0) == (svd.matrixV().determinant() < 0) ? 1.0 : -1.0;
    // adj(S) is diagonal: element i is the product of all singular values but the i-th.
    std::vector<Scaled> before(static_cast<std::size_t>(n) + 1), after(before);
    for (Eigen::Index i = 0; i < n; ++i) {
        before[static_cast<std::size_t>(i) + 1] = before[static_cast<std::size_t>(i)];
        before[static_cast<std::size_t>(i) + 1].times(s(i));
    }
    for (Eigen::Index i = n; i > 0; --i) {
        after[static_cast<std::size_t>(i) - 1] = after[static_cast<std::size_t>(i)];
        after[static_cast<std::size_t>(i) - 1].times(s(i - 1));
    }
    std::vector<Scaled> others(static_cast<std::size_t>(n));
    long top = 0;
    bool any = false;
    for (std::size_t i = 0; i < others.size(); ++i) {
        others[i] = before[i];
        others[i].times(after[i + 1].mantissa);
        others[i].exponent += after[i + 1].exponent;
        if (others[i].mantissa != 0 && (!any || others[i].exponent > top))
            top = others[i].exponent, any = true;
    }
    Eigen::VectorXd d(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const Scaled& o = others[static_cast<std::size_t>(i)];
        d(i) = Scaled::ldexpWide(o.mantissa, o.exponent - top);
    }
    Eigen::MatrixXd adj = svd.matrixV() * d.asDiagonal() * svd.matrixU().transpose();
    Scaled factor;
    factor.mantissa = sign;
    factor.exponent = top;
    for (Eigen::Index c = 0; c < n; ++c)
        for (Eigen::Index r = 0; r < n; ++r) adj(r, c) = factor.scale(adj(r, c));
    return toRowMajor(adj);
}

} // namespace

double determinant(std::vector<double>& m, int n) {
    bool oddSwaps = false;
    if (!luFactor(m.data(), n, oddSwaps)) return 0.0;
    Scaled d;
    d.mantissa = oddSwaps ? -1.0 : 1.0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i)
        d.times(m[i * static_cast<std::size_t>(n) + i]);
    return d.scale(1.0);
}

std::vector<double> adjugate(const std::vector<double>& m, int n) {
    Eigen::MatrixXd a = toEigen(m, n);
    Eigen::PartialPivLU<Eigen::MatrixXd> lu(a);
    // The rcond estimate misses an exactly singular matrix whose zero pivot comes last (it
    // says 1 for an identity with one zero); det x inverse is 0 x inf there.
    const bool zeroPivot = (lu.matrixLU().diagonal().array() == 0.0).any();
    if (zeroPivot || !(lu.rcond() >= kWellConditioned)) return svdAdjugate(a);
    const Scaled det = luDeterminant(lu);
    Eigen::MatrixXd inv = lu.inverse();
    for (Eigen::Index c = 0; c < n; ++c)
        for (Eigen::Index r = 0; r < n; ++r) inv(r, c) = det.scale(inv(r, c));
    if (!inv.allFinite()) return svdAdjugate(a);
    return toRowMajor(inv);
}

} // namespace velmor::dense
