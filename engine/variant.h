#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace velmor {

class Array;

// The system's value: empty, a number, a text, or an array of values.
// Copies of an array value share its elements until one of them is changed: the non-const
// array() first makes that value's own copy, so a change never shows in another value.
// Taking an operand from the list is then free, not a copy of a million texts.
class Variant {
  public:
    Variant() = default;
    Variant(double number) : v_(number) {}
    Variant(int number) : v_(static_cast<double>(number)) {}
    Variant(std::string text) : v_(std::move(text)) {}
    Variant(const char* text) : v_(std::string(text)) {}
    Variant(Array array);

    Variant(const Variant&) = default;
    Variant(Variant&&) noexcept = default;
    Variant& operator=(const Variant&) = default;
    Variant& operator=(Variant&&) noexcept = default;
    ~Variant();

    bool isEmpty() const { return v_.index() == 0; }
    bool isNumber() const { return v_.index() == 1; }
    bool isText() const { return v_.index() == 2; }
    bool isArray() const { return v_.index() == 3; }

    double number() const { return std::get<1>(v_); }
    const std::string& text() const { return std::get<2>(v_); }

    // The array held; run-time error 13 when the value is not an array. A reference from the
    // non-const form is this value's alone until the value is next copied.
    const Array& array() const;
    Array& array();

    friend bool operator==(const Variant& a, const Variant& b);

  private:
    std::variant<std::monostate, double, std::string, std::shared_ptr<Array>> v_;
};

// A one- or two-dimensional array of values with a lower and an upper bound per dimension.
// Element access checks the bounds and raises run-time error 9 outside them.
class Array {
  public:
    Array() = default;
    // Two-dimensional, indices lower..rows and lower..cols.
    static Array matrix(int rows, int cols, int lower = 1);
    // Two-dimensional from 1, the elements numbers taken row by row from values. With
    // helper, a second thread takes the page faults of the second half meanwhile.
    static Array matrixOf(int rows, int cols, const double* values, bool helper = false);
    // One-dimensional, indices lower..upper.
    static Array vector(int lower, int upper);

    int dims() const { return dims_; }
    int lbound(int dim = 1) const { return dim == 1 ? lb1_ : lb2_; }
    int ubound(int dim = 1) const { return dim == 1 ? ub1_ : ub2_; }

    Variant& at(int i, int j);
    const Variant& at(int i, int j) const;
    Variant& at(int i);
    const Variant& at(int i) const;

    // Unchecked access for kernels that already checked the bounds.
    Variant& cell(int i, int j) { return data_[offset(i, j)]; }
    const Variant& cell(int i, int j) const { return data_[offset(i, j)]; }

    bool operator==(const Array& other) const = default;

  private:
    std::size_t offset(int i, int j) const {
        return static_cast<std::size_t>(i - lb1_) * static_cast<std::size_t>(ub2_ - lb2_ + 1) +
               static_cast<std::size_t>(j - lb2_);
    }

    int dims_ = 0;
    int lb1_ = 0, ub1_ = -1, lb2_ = 0, ub2_ = -1;
    std::vector<Variant> data_;
};

// Reads a bound into a 16-bit count: run-time error 6 above 32,767.
std::int16_t toInt16(long long value);

// Row and column counts (upper bounds) of a matrix value; run-time error 13 when the value
// is not a two-dimensional array, error 6 when a bound does not fit 16 bits.
std::int16_t rowCount(const Variant& matrix);
std::int16_t columnCount(const Variant& matrix);

} // namespace velmor
