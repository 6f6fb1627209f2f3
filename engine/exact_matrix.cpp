#include "engine/exact_matrix.h"

#include <memory>

#include <flint/fmpz_mat.h>
#include <flint/fmpz_vec.h>
#include <flint/nmod_mat.h>
#include <flint/ulong_extras.h>

namespace velmor::exact {

namespace {

struct IntMatrix {
    IntMatrix(long rows, long cols) { fmpz_mat_init(m, rows, cols); }
    ~IntMatrix() { fmpz_mat_clear(m); }
    IntMatrix(const IntMatrix&) = delete;
    IntMatrix& operator=(const IntMatrix&) = delete;
    fmpz* at(long r, long c) { return fmpz_mat_entry(m, r, c); }
    fmpz_mat_t m;
};

struct IntVector {
    explicit IntVector(long n) : n(n), v(_fmpz_vec_init(n)) {}
    ~IntVector() { _fmpz_vec_clear(v, n); }
    IntVector(const IntVector&) = delete;
    IntVector& operator=(const IntVector&) = delete;
    long n;
    fmpz* v;
};

// Index of the first nonzero entry of column 0.
long firstNonzero(IntMatrix& basis, long n) {
    long i = 0;
    while (i < n && fmpz_is_zero(basis.at(i, 0))) ++i;
    return i;
}

// A of rank below n. Row i of A is row i of the whole-number matrix S divided by d_i, and
// adj(A) = adj(S) adj(D^-1) = adj(S) D / det(D). At rank n - 1, adj(S) = c v w^T with S v = 0
// and w^T S = 0; one cofactor where v and w are nonzero fixes c. Below, adj(S) is 0.
void singularAdjugate(const Matrix& a, Matrix& out) {
    const long n = a.rows();
    IntMatrix s(n, n);
    IntVector d(n);
    fmpq_mat_get_fmpz_mat_rowwise(s.m, d.v, a.get());

    IntMatrix right(n, n), left(n, n), st(n, n);
    if (fmpz_mat_nullspace(right.m, s.m) != 1) return; // out stays 0
    fmpz_mat_transpose(st.m, s.m);
    fmpz_mat_nullspace(left.m, st.m);
    const long j = firstNonzero(right, n), i = firstNonzero(left, n);

    IntMatrix minor(n - 1, n - 1);
    for (long r = 0, mr = 0; r < n; ++r) {
        if (r == i) continue;
        for (long c = 0, mc = 0; c < n; ++c)
            if (c != j) fmpz_set(minor.at(mr, mc++), s.at(r, c));
        ++mr;
    }
    Rational c;
    fmpz_mat_det(fmpq_numref(c.get()), minor.m);
    if ((i + j) % 2 == 1) fmpz_neg(fmpq_numref(c.get()), fmpq_numref(c.get()));
    // c = cofactor(i, j) / (v_j w_i), then divided by det(D).
    fmpz_mul(fmpq_denref(c.get()), right.at(j, 0), left.at(i, 0));
    for (long k = 0; k < n; ++k) fmpz_mul(fmpq_denref(c.get()), fmpq_denref(c.get()), d.v + k);
    fmpq_canonicalise(c.get());

    Rational cv, e;
    for (long r = 0; r < n; ++r) {
        fmpq_mul_fmpz(cv.get(), c.get(), right.at(r, 0));
        for (long col = 0; col < n; ++col) {
            fmpq_mul_fmpz(e.get(), cv.get(), left.at(col, 0));
            fmpq_mul_fmpz(out.at(r, col), e.get(), d.v + col);
        }
    }
}

// The whole-number matrix S and row denominators d of A: row i of A is row i of S over d_i.
struct Cleared {
    explicit Cleared(const Matrix& a) : s(a.rows(), a.rows()), d(a.rows()) {
        fmpq_mat_get_fmpz_mat_rowwise(s.m, d.v, a.get());
    }
    IntMatrix s;
    IntVector d;
};

// adj(S) = det(S) S^-1 for a regular S, modulo enough word-sized primes to recover every
// entry: each is a minor, bounded like the determinant by the product of the row norms
// (no row is zero, so every norm is at least 1). One inverse per prime is far cheaper than
// a rational inverse whose entries carry the full denominator.
void regularAdjugate(const IntMatrix& s, const fmpz_t det, IntMatrix& adj) {
    const long n = fmpz_mat_nrows(s.m);
    fmpz_t bound;
    fmpz_init(bound);
    fmpz_mat_det_bound(bound, s.m);
    const flint_bitcnt_t needed = fmpz_bits(bound) + 2; // sign and a margin
    fmpz_clear(bound);

    std::vector<mp_limb_t> primes;
    flint_bitcnt_t have = 0;
    for (mp_limb_t p = UWORD(1) << 61; have < needed;) {
        p = n_nextprime(p, 1);
        if (fmpz_fdiv_ui(det, p) == 0) continue; // S is singular modulo p
        primes.push_back(p);
        have += 61;
    }
    const auto k = static_cast<long>(primes.size());
    auto residues = std::make_unique<nmod_mat_t[]>(primes.size());
    for (long i = 0; i < k; ++i) {
        const mp_limb_t p = primes[static_cast<std::size_t>(i)];
        nmod_mat_t sp;
        nmod_mat_init(sp, n, n, p);
        nmod_mat_init(residues[i], n, n, p);
        fmpz_mat_get_nmod_mat(sp, s.m);
        nmod_mat_inv(residues[i], sp);
        nmod_mat_scalar_mul(residues[i], residues[i], fmpz_fdiv_ui(det, p));
        nmod_mat_clear(sp);
    }
    fmpz_mat_multi_CRT_ui(adj.m, residues.get(), k, 1);
    for (long i = 0; i < k; ++i) nmod_mat_clear(residues[i]);
}

// out = adj D / denom, element by element: the column scaling D undoes the clearing of
// denominators that turned the rational matrix into an integer one.
void scaleOver(IntMatrix& adj, const fmpz* d, const fmpz_t denom, Matrix& out) {
    for (long r = 0; r < out.rows(); ++r)
        for (long col = 0; col < out.cols(); ++col) {
            fmpz_mul(fmpq_numref(out.at(r, col)), adj.at(r, col), d + col);
            fmpz_set(fmpq_denref(out.at(r, col)), denom);
            fmpq_canonicalise(out.at(r, col));
        }
}

} // namespace

Rational determinant(const Matrix& a) {
    Rational d;
    fmpq_mat_det(d.get(), a.get());
    return d;
}

Matrix adjugate(const Matrix& a) {
    const long n = a.rows();
    Matrix out(n, n);
    if (n == 1) {
        fmpq_one(out.at(0, 0));
        return out;
    }
    Cleared c(a);
    fmpz_t det;
    fmpz_init(det);
    fmpz_mat_det(det, c.s.m);
    if (fmpz_is_zero(det)) {
        fmpz_clear(det);
        singularAdjugate(a, out);
        return out;
    }
    IntMatrix adj(n, n);
    regularAdjugate(c.s, det, adj);
    fmpz_clear(det);
    // adj(A) = adj(S) D / det(D).
    fmpz_t dd;
    fmpz_init_set_ui(dd, 1);
    for (long k = 0; k < n; ++k) fmpz_mul(dd, dd, c.d.v + k);
    scaleOver(adj, c.d.v, dd, out);
    fmpz_clear(dd);
    return out;
}

bool inverse(const Matrix& a, Matrix& out) {
    const long n = a.rows();
    if (n == 1) {
        if (fmpq_is_zero(a.at(0, 0))) return false;
        fmpq_inv(out.at(0, 0), a.at(0, 0));
        return true;
    }
    Cleared c(a);
    fmpz_t det;
    fmpz_init(det);
    fmpz_mat_det(det, c.s.m);
    const bool regular = !fmpz_is_zero(det);
    if (regular) {
        // A^-1 = S^-1 D = adj(S) D / det(S).
        IntMatrix adj(n, n);
        regularAdjugate(c.s, det, adj);
        scaleOver(adj, c.d.v, det, out);
    }
    fmpz_clear(det);
    return regular;
}

} // namespace velmor::exact
