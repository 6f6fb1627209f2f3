#include "engine/exact_fractions.h"

#include "engine/exact_determinant.h"
#include "engine/exact_matrix.h"
#include "engine/runtime_error.h"

namespace velmor::exact {

namespace {

const Array& matrixOf(const Variant& v) {
    const Array& a = v.array();
    if (a.dims() != 2) throw RuntimeError(err::TypeMismatch);
    return a;
}

bool allNumbers(const Array& a, const std::string& sep) {
    Rational x;
    for (int r = 1; r <= a.ubound(1); ++r)
        for (int c = 1; c <= a.ubound(2); ++c) {
            const Variant& v = a.at(r, c);
            if (v.isText() ? read(v.text(), sep, x) != ReadStatus::Ok
                           : !(v.isEmpty() || v.isNumber()))
                return false;
        }
    return true;
}

Matrix whole(const Variant& v, const NumberFormat& format) {
    const Array& a = matrixOf(v);
    return readMatrix(a, a.ubound(1), a.ubound(2), format);
}

void toTexts(const Matrix& m, Fractions& out) {
    Array texts = Array::matrix(static_cast<int>(m.rows()), static_cast<int>(m.cols()));
    const fmpq *low = nullptr, *high = nullptr;
    Rational x;
    for (long r = 0; r < m.rows(); ++r)
        for (long c = 0; c < m.cols(); ++c) {
            const fmpq* e = m.at(r, c);
            fmpq_set(x.get(), e);
            texts.at(static_cast<int>(r + 1), static_cast<int>(c + 1)) = x.text();
            if (!low || fmpq_cmp(e, low) < 0) low = e;
            if (!high || fmpq_cmp(e, high) > 0) high = e;
        }
    if (low) {
        fmpq_set(x.get(), low);
        out.minimum = x.text();
        fmpq_set(x.get(), high);
        out.maximum = x.text();
    }
    out.matrix = std::move(texts);
}

} // namespace

std::string fractionsUnavailable(const Variant& first, const Variant* second,
                                 const NumberFormat& format) {
    for (const Variant* v : {&first, second}) {
        if (!v) continue;
        if (!v->isArray() || v->array().dims() != 2) return "Fractions need matrix operands.";
        const Array& a = v->array();
        if (a.ubound(1) > kMaxOrder || a.ubound(2) > kMaxOrder)
            return "Fractions are shown for matrices up to 200 x 200.";
        if (!allNumbers(a, format.decimalSeparator()))
            return "Fractions need every element to be a number: an operand holds a text that "
                   "is not one.";
    }
    return {};
}

Fractions fractions(Operation op, const Variant& first, const Variant* second,
                    const std::string& scalar, const NumberFormat& format) {
    Fractions out;
    try {
        Matrix a = whole(first, format);
        const long rows = a.rows(), cols = a.cols();
        switch (op) {
        case Operation::Add:
        case Operation::Subtract: {
            if (!second) throw RuntimeError(err::TypeMismatch);
            Matrix b = readMatrix(matrixOf(*second), static_cast<int>(rows), static_cast<int>(cols),
                                  format);
            if (op == Operation::Add)
                fmpq_mat_add(a.get(), a.get(), b.get());
            else
                fmpq_mat_sub(a.get(), a.get(), b.get());
            toTexts(a, out);
            break;
        }
        case Operation::Multiply: {
            if (!second) throw RuntimeError(err::TypeMismatch);
            const Array& s = matrixOf(*second);
            Matrix b = readMatrix(s, static_cast<int>(cols), s.ubound(2), format);
            Matrix p(rows, b.cols());
            fmpq_mat_mul(p.get(), a.get(), b.get());
            toTexts(p, out);
            break;
        }
        case Operation::Scale: {
            Rational k = element(Variant(scalar), format);
            fmpq_mat_scalar_mul_fmpq(a.get(), a.get(), k.get());
            toTexts(a, out);
            break;
        }
        case Operation::Transpose: {
            Matrix t(cols, rows);
            fmpq_mat_transpose(t.get(), a.get());
            toTexts(t, out);
            break;
        }
        case Operation::Invert: {
            if (rows != cols) throw RuntimeError(err::TypeMismatch);
            Matrix inv(rows, rows);
            if (!inverse(a, inv))
                out.singular = true;
            else
                toTexts(inv, out);
            break;
        }
        case Operation::Adjoint:
            if (rows != cols || rows < 2) throw RuntimeError(err::SubscriptOutOfRange);
            toTexts(adjugate(a), out);
            break;
        }
    } catch (const RuntimeError& e) {
        out = Fractions{};
        out.error = e.number();
    }
    return out;
}

std::string determinantFraction(const Variant& matrix, const NumberFormat& format) {
    Matrix a = whole(matrix, format);
    if (a.rows() != a.cols()) throw RuntimeError(err::TypeMismatch);
    return determinant(a).text();
}

std::string traceFraction(const Variant& matrix, const NumberFormat& format) {
    Matrix a = whole(matrix, format);
    Rational t;
    for (long k = 0; k < a.rows() && k < a.cols(); ++k) fmpq_add(t.get(), t.get(), a.at(k, k));
    return t.text();
}

} // namespace velmor::exact
