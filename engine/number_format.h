#pragma once

#include <string>
#include <string_view>

#include "engine/variant.h"

namespace velmor {

// Conversions between numbers and texts in the user's number format. One object is made at
// start-up from the locale and handed to everything that converts; tests use '.'.
class NumberFormat {
  public:
    explicit NumberFormat(std::string decimalSeparator = ".");

    const std::string& decimalSeparator() const { return sep_; }

    // At most 15 significant digits, no trailing zeros; fixed notation for magnitudes in
    // [0.0001, 1E+15), otherwise mantissa, "E", sign and at least two exponent digits.
    std::string toText(double x) const;
    // The same text written into `buf`, without allocating.
    static constexpr std::size_t kTextBuffer = 64;
    std::string_view toText(double x, char (&buf)[kTextBuffer]) const;
    // A text unchanged, a number in the form above, empty as "", an array: error 13.
    std::string toText(const Variant& v) const;

    // Sign, digits, decimal separator, optional exponent; or a fraction p/q of two whole
    // numbers (q not 0, read as the nearest double); blanks around are allowed.
    // Anything else fails with run-time error 13.
    double toNumber(std::string_view text) const;
    // Plain texts would otherwise be ambiguous between the text and the Variant forms.
    double toNumber(const std::string& text) const { return toNumber(std::string_view(text)); }
    double toNumber(const char* text) const { return toNumber(std::string_view(text)); }
    bool tryToNumber(std::string_view text, double& out) const;
    // A number unchanged, a text read as above, empty as 0, an array: error 13.
    double toNumber(const Variant& v) const;

    // x rounded to `decimals` places (halves away from zero) with exactly that many digits
    // after the separator; no separator when decimals is 0. Error 5 for decimals outside 0..99.
    std::string fixed(double x, int decimals) const;

  private:
    std::string sep_;
};

} // namespace velmor
