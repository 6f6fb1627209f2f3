#include "engine/exact_number.h"

#include <cmath>
#include <string>

#include <flint/fmpz.h>
#include <mpfr.h>

#include "engine/runtime_error.h"

namespace velmor::exact {

namespace {

// An fmpz_t owned for the length of a scope.
struct Int {
    Int() { fmpz_init(v); }
    ~Int() { fmpz_clear(v); }
    Int(const Int&) = delete;
    Int& operator=(const Int&) = delete;
    fmpz_t v;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view t) {
    while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
    return t;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// [sign] digits, nothing else; the digits go to `digits`.
bool wholeNumber(std::string_view t, bool& negative, std::string& digits) {
    negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return false;
    for (char c : t)
        if (!isDigit(c)) return false;
    digits.assign(t);
    return true;
}

void setDigits(fmpz_t f, const std::string& digits) {
    fmpz_set_str(f, digits.c_str(), 10);
}

void setFraction(fmpq* out, const std::string& p, const std::string& q, bool negative) {
    Int num, den;
    setDigits(num.v, p);
    setDigits(den.v, q);
    if (negative) fmpz_neg(num.v, num.v);
    fmpq_set_fmpz_frac(out, num.v, den.v);
}

// Rounds |x| < 2^-1022 to the nearest multiple of 2^-1074, ties to even: the subnormals
// have fewer than 53 bits, so a 53-bit rounding first could round twice.
double nearestSubnormal(const fmpq* x) {
    Int scaled, q, r;
    fmpz_mul_2exp(scaled.v, fmpq_numref(x), 1074);
    fmpz_fdiv_qr(q.v, r.v, scaled.v, fmpq_denref(x));
    fmpz_mul_2exp(r.v, r.v, 1);
    const int c = fmpz_cmp(r.v, fmpq_denref(x));
    if (c > 0 || (c == 0 && fmpz_is_odd(q.v))) fmpz_add_ui(q.v, q.v, 1);
    return std::ldexp(fmpz_get_d(q.v), -1074);
}

// The nearest double; false when it is beyond the range.
bool nearest(const fmpq* x, double& out) {
    if (fmpq_is_zero(x)) {
        out = 0.0;
        return true;
    }
    mpfr_t m;
    mpfr_init2(m, 53);
    fmpq_get_mpfr(m, x, MPFR_RNDN);
    const mpfr_exp_t e = mpfr_get_exp(m); // |m| in [2^(e-1), 2^e)
    bool ok = e <= 1024;
    if (ok) out = e >= -1021 ? mpfr_get_d(m, MPFR_RNDN) : nearestSubnormal(x);
    mpfr_clear(m);
    return ok;
}

} // namespace

std::string Rational::text() const {
    char* s = fmpq_get_str(nullptr, 10, v_);
    std::string out(s);
    flint_free(s);
    return out;
}

double Rational::toDouble() const {
    double d = 0;
    if (!nearest(v_, d)) throw RuntimeError(err::Overflow);
    return d;
}

ReadStatus read(std::string_view text, const std::string& sep, Rational& out) {
    std::string_view t = trim(text);
    if (t.empty()) return ReadStatus::NotNumber;

    if (auto slash = t.find('/'); slash != std::string_view::npos) {
        bool np = false, nq = false;
        std::string p, q;
        if (!wholeNumber(trim(t.substr(0, slash)), np, p) ||
            !wholeNumber(trim(t.substr(slash + 1)), nq, q) ||
            q.find_first_not_of('0') == std::string::npos)
            return ReadStatus::NotNumber;
        setFraction(out.get(), p, q, np != nq);
        return ReadStatus::Ok;
    }

    // [sign] digits [sep digits] [(E|e) [sign] digits], at least one mantissa digit.
    std::size_t i = 0;
    bool negative = false;
    if (t[i] == '+' || t[i] == '-') negative = t[i++] == '-';
    std::string digits;
    long fractionDigits = 0;
    for (; i < t.size() && isDigit(t[i]); ++i) digits += t[i];
    if (!sep.empty() && t.substr(i, sep.size()) == sep) {
        i += sep.size();
        for (; i < t.size() && isDigit(t[i]); ++i, ++fractionDigits) digits += t[i];
    }
    if (digits.empty()) return ReadStatus::NotNumber;
    long exponent = 0;
    bool huge = false;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) expNegative = t[i++] == '-';
        const std::size_t first = i;
        for (; i < t.size() && isDigit(t[i]); ++i) {
            exponent = exponent * 10 + (t[i] - '0');
            if (exponent > 10 * kMaxExponent) huge = true, exponent = 10 * kMaxExponent;
        }
        if (i == first) return ReadStatus::NotNumber;
        if (expNegative) exponent = -exponent;
    }
    if (i != t.size()) return ReadStatus::NotNumber;

    if (digits.find_first_not_of('0') == std::string::npos) {
        fmpq_zero(out.get());
        return ReadStatus::Ok;
    }
    const long scale = exponent - fractionDigits;
    if (huge || scale > kMaxExponent || scale < -kMaxExponent) return ReadStatus::TooLarge;
    Int num, power;
    setDigits(num.v, digits);
    if (negative) fmpz_neg(num.v, num.v);
    fmpz_set_ui(power.v, 10);
    fmpz_pow_ui(power.v, power.v, static_cast<ulong>(scale < 0 ? -scale : scale));
    if (scale >= 0) {
        fmpz_mul(num.v, num.v, power.v);
        fmpz_one(power.v);
    }
    fmpq_set_fmpz_frac(out.get(), num.v, power.v);
    return ReadStatus::Ok;
}

Rational element(const Variant& v, const NumberFormat& format) {
    Rational out;
    if (v.isEmpty()) return out;
    if (v.isNumber()) {
        const double x = v.number();
        if (!std::isfinite(x)) throw RuntimeError(err::Overflow);
        // x = m 2^e with m a 53-bit whole number: exact.
        int e = 0;
        const double m = std::ldexp(std::frexp(x, &e), 53);
        fmpz_set_d(fmpq_numref(out.get()), m);
        fmpz_one(fmpq_denref(out.get()));
        if (e - 53 >= 0)
            fmpq_mul_2exp(out.get(), out.get(), static_cast<flint_bitcnt_t>(e - 53));
        else
            fmpq_div_2exp(out.get(), out.get(), static_cast<flint_bitcnt_t>(53 - e));
        return out;
    }
    if (!v.isText()) throw RuntimeError(err::TypeMismatch);
    switch (read(v.text(), format.decimalSeparator(), out)) {
    case ReadStatus::Ok:
        return out;
    case ReadStatus::TooLarge:
        throw RuntimeError(err::Overflow);
    case ReadStatus::NotNumber:
        break;
    }
    throw RuntimeError(err::TypeMismatch);
}

Matrix readMatrix(const Array& a, int rows, int cols, const NumberFormat& format) {
    Matrix m(rows, cols);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) {
            Rational x = element(a.at(r, c), format);
            fmpq_swap(m.at(r - 1, c - 1), x.get());
        }
    return m;
}

bool fractionToDouble(std::string_view p, std::string_view q, bool negative, double& out) {
    Rational x;
    setFraction(x.get(), std::string(p), std::string(q), negative);
    return nearest(x.get(), out);
}

} // namespace velmor::exact
