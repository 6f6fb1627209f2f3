#pragma once

#include <string>
#include <string_view>

#include <flint/fmpq.h>
#include <flint/fmpq_mat.h>

#include "engine/number_format.h"
#include "engine/variant.h"

// Exact rational numbers and matrices on FLINT, for the engine's own use: nothing outside
// engine/ includes this header.
namespace velmor::exact {

// A rational number in lowest terms (FLINT's fmpq), owned.
class Rational {
  public:
    Rational() { fmpq_init(v_); }
    Rational(const Rational& other) : Rational() { fmpq_set(v_, other.v_); }
    Rational& operator=(const Rational& other) {
        fmpq_set(v_, other.v_);
        return *this;
    }
    ~Rational() { fmpq_clear(v_); }

    fmpq* get() { return v_; }
    const fmpq* get() const { return v_; }

    // "-7/12", "3", "0".
    std::string text() const;
    // The nearest double (ties to even); run-time error 6 when that is beyond the range.
    double toDouble() const;

  private:
    fmpq_t v_;
};

// A rows x cols matrix of rationals (FLINT's fmpq_mat), owned; indices from 0.
class Matrix {
  public:
    Matrix(long rows, long cols) { fmpq_mat_init(m_, rows, cols); }
    Matrix(const Matrix& other) { fmpq_mat_init_set(m_, other.m_); }
    Matrix& operator=(const Matrix&) = delete;
    ~Matrix() { fmpq_mat_clear(m_); }

    long rows() const { return fmpq_mat_nrows(m_); }
    long cols() const { return fmpq_mat_ncols(m_); }
    fmpq* at(long r, long c) { return fmpq_mat_entry(m_, r, c); }
    const fmpq* at(long r, long c) const { return fmpq_mat_entry(m_, r, c); }
    fmpq_mat_struct* get() { return m_; }
    const fmpq_mat_struct* get() const { return m_; }

  private:
    fmpq_mat_t m_;
};

enum class ReadStatus { Ok, NotNumber, TooLarge };

// Reads a text by the number rules of NumberFormat (every finite decimal, exponent forms
// included, is a rational) or as a fraction "p/q" of two whole numbers, each with an optional
// sign, q not 0, blanks allowed around the text and around "/". A decimal exponent beyond
// kMaxExponent gives TooLarge: such a number is far beyond what any operation can use.
inline constexpr long kMaxExponent = 20000;
ReadStatus read(std::string_view text, const std::string& decimalSeparator, Rational& out);

// An element as an exact number: a text read as above, a double as its exact binary value,
// empty as 0. Run-time error 13 for anything else and for a text that is not a number,
// error 6 for TooLarge.
Rational element(const Variant& v, const NumberFormat& format);

// Elements 1..rows x 1..cols of a matrix value (error 9 outside its bounds).
Matrix readMatrix(const Array& a, int rows, int cols, const NumberFormat& format);

// The nearest double to p/q, p and q whole-number digit strings (q not all zeros); false when
// it is beyond the double range.
bool fractionToDouble(std::string_view p, std::string_view q, bool negative, double& out);

} // namespace velmor::exact
