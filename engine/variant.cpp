#include "engine/variant.h"

#include <system_error>
#include <thread>

#include "engine/runtime_error.h"

namespace velmor {

Variant::Variant(Array array) : v_(std::make_shared<Array>(std::move(array))) {}

Variant::~Variant() = default;

const Array& Variant::array() const {
    if (!isArray()) throw RuntimeError(err::TypeMismatch);
    return *std::get<3>(v_);
}

Array& Variant::array() {
    if (!isArray()) throw RuntimeError(err::TypeMismatch);
    auto& shared = std::get<3>(v_);
    if (shared.use_count() > 1) shared = std::make_shared<Array>(*shared);
    return *shared;
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.v_.index() != b.v_.index()) return false;
    switch (a.v_.index()) {
    case 1:
        return a.number() == b.number();
    case 2:
        return a.text() == b.text();
    case 3:
        return a.array() == b.array();
    default:
        return true;
    }
}

Array Array::matrix(int rows, int cols, int lower) {
    Array a;
    a.dims_ = 2;
    a.lb1_ = a.lb2_ = lower;
    a.ub1_ = rows;
    a.ub2_ = cols;
    long long n1 = rows - lower + 1, n2 = cols - lower + 1;
    if (n1 < 0 || n2 < 0) throw RuntimeError(err::SubscriptOutOfRange);
    const auto count = static_cast<std::size_t>(n1 * n2);
    a.data_.resize(count);
    return a;
}

Array Array::matrixOf(int rows, int cols, const double* values, bool helper) {
    if (rows < 0 || cols < 0) throw RuntimeError(err::SubscriptOutOfRange);
    Array a;
    a.dims_ = 2;
    a.lb1_ = a.lb2_ = 1;
    a.ub1_ = rows;
    a.ub2_ = cols;
    const auto count = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
    a.data_.reserve(count);
    // Each element is made once, as a number. The first write to a fresh page costs the
    // kernel's zeroing of it: a helper touches the pages of the second half (raw storage
    // the vector owns, not yet holding elements) while the first half is made.
    const std::size_t half = helper ? count / 2 : count;
    std::thread toucher;
    if (half < count) {
        try {
            toucher = std::thread([p = reinterpret_cast<volatile char*>(a.data_.data() + half),
                                   bytes = (count - half) * sizeof(Variant)] {
                for (std::size_t b = 0; b < bytes; b += 4096) p[b] = 0;
            });
        } catch (const std::system_error&) { // no thread to be had: the pages fault here
        }
    }
    a.data_.insert(a.data_.end(), values, values + half);
    if (toucher.joinable()) toucher.join();
    a.data_.insert(a.data_.end(), values + half, values + count);
    return a;
}

Array Array::vector(int lower, int upper) {
    Array a;
    a.dims_ = 1;
    a.lb1_ = lower;
    a.ub1_ = upper;
    a.lb2_ = 0;
    a.ub2_ = 0;
    if (upper < lower - 1) throw RuntimeError(err::SubscriptOutOfRange);
    a.data_.resize(static_cast<std::size_t>(upper - lower + 1));
    return a;
}

Variant& Array::at(int i, int j) {
    if (dims_ != 2 || i < lb1_ || i > ub1_ || j < lb2_ || j > ub2_)
        throw RuntimeError(err::SubscriptOutOfRange);
    return data_[offset(i, j)];
}

const Variant& Array::at(int i, int j) const {
    return const_cast<Array*>(this)->at(i, j);
}

Variant& Array::at(int i) {
    if (dims_ != 1 || i < lb1_ || i > ub1_) throw RuntimeError(err::SubscriptOutOfRange);
    return data_[static_cast<std::size_t>(i - lb1_)];
}

const Variant& Array::at(int i) const {
    return const_cast<Array*>(this)->at(i);
}

std::int16_t toInt16(long long value) {
    if (value < -32768 || value > 32767) throw RuntimeError(err::Overflow);
    return static_cast<std::int16_t>(value);
}

static const Array& matrixOf(const Variant& m) {
    const Array& a = m.array();
    if (a.dims() != 2) throw RuntimeError(err::SubscriptOutOfRange);
    return a;
}

std::int16_t rowCount(const Variant& matrix) {
    return toInt16(matrixOf(matrix).ubound(1));
}
std::int16_t columnCount(const Variant& matrix) {
    return toInt16(matrixOf(matrix).ubound(2));
}

} // namespace velmor
