#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "tests/support/values.h"
#include "engine/number_format.h"
#include "engine/runtime_error.h"

namespace velmor {
using velmor::test::errorOf;

namespace {

// A case written "given -> expected"; numbers on either side are read exactly by strtod.
struct Case {
    std::string given, expected;
    Case(const char* text) {
        std::string_view s = text;
        given = s.substr(0, s.find(" -> "));
        expected = s.substr(s.find(" -> ") + 4);
    }
    double x() const { return std::strtod(given.c_str(), nullptr); }
    int decimals() const { return std::atoi(given.c_str() + given.find(',') + 1); } // "x, decimals"
};

TEST(NumberFormat, ToTextUsesFifteenDigitsAndTheNotationBoundaries) {
    const Case cases[] = {
        "0 -> 0", "-0 -> 0", "0.5 -> 0.5", "100 -> 100", "12345.678 -> 12345.678",
        "0.30000000000000004 -> 0.3", "0.33333333333333331 -> 0.333333333333333",
        "0.66666666666666663 -> 0.666666666666667", "-0.66666666666666663 -> -0.666666666666667",
        // Lower boundary of fixed notation; sixteen nines round up and the notation follows.
        "0.0001 -> 0.0001", "-0.0001 -> -0.0001", "0.00015 -> 0.00015",
        "0.000123456789012345678 -> 0.000123456789012346", "0.00009999 -> 9.999E-05",
        "0.00001 -> 1E-05", "-0.00001 -> -1E-05", "9.99999999999999e-5 -> 9.99999999999999E-05",
        "9.999999999999999e-5 -> 0.0001",
        // Upper boundary.
        "999999999999999 -> 999999999999999", "123456789012345 -> 123456789012345",
        "999999999999999.9 -> 1E+15", "1e15 -> 1E+15", "-1e15 -> -1E+15",
        "1234567890123456 -> 1.23456789012346E+15", "1e100 -> 1E+100",
        // The double range, and rounding that carries into a new leading digit.
        "1.7976931348623157e308 -> 1.79769313486232E+308",
        "-1.7976931348623157e308 -> -1.79769313486232E+308",
        "2.2250738585072014e-308 -> 2.2250738585072E-308",
        "4.9406564584124654e-324 -> 4.94065645841247E-324", "9.999999999999999 -> 10",
        "0.9999999999999999 -> 1", "99999.99999999999 -> 100000"};
    NumberFormat f;
    for (const Case& c : cases) EXPECT_EQ(f.toText(c.x()), c.expected) << c.given;
}

// The fast paths must agree with exact rounding to 15 digits everywhere.
TEST(NumberFormat, TextAndNumberAgreeWithExactRoundingOnRandomDoubles) {
    NumberFormat f;
    std::mt19937_64 rng(7);
    for (int n = 0; n < 50000; ++n) {
        double x = std::bit_cast<double>(rng());
        if (!std::isfinite(x)) continue;
        if (n % 3 == 1) x = static_cast<double>(rng() % 100000000) / 1000.0; // short decimals
        if (n % 3 == 2) // full mantissas at everyday magnitudes
            x = std::ldexp(static_cast<double>(rng() >> 11), static_cast<int>(rng() % 200) - 110);
        char exact[40];
        std::snprintf(exact, sizeof exact, "%.14e", x);
        std::string text = f.toText(x);
        ASSERT_EQ(std::strtod(text.c_str(), nullptr), std::strtod(exact, nullptr)) << text;
        double m = std::fabs(std::strtod(exact, nullptr));
        bool fixedForm = m == 0 || (m >= 0.0001 && m < 1e15);
        ASSERT_EQ(text.find('E') == std::string::npos, fixedForm) << text;
        // Reading back takes a short path for most texts: the same bits as strtod.
        ASSERT_EQ(std::bit_cast<std::uint64_t>(f.toNumber(text)),
                  std::bit_cast<std::uint64_t>(std::strtod(text.c_str(), nullptr)))
            << text;
        ASSERT_EQ(f.toNumber(exact), std::strtod(exact, nullptr)) << exact;
    }
}

TEST(NumberFormat, ToNumberAcceptsSignDigitsSeparatorAndExponent) {
    const Case cases[] = {
        "1 -> 1", "-2 -> -2", "+3 -> 3", " 1.5  -> 1.5", "\t7\t -> 7", ".5 -> 0.5", "-.5 -> -0.5",
        "5. -> 5", "0001 -> 1", "1e3 -> 1000", "1E+03 -> 1000", "1.5e-2 -> 0.015",
        "-1E-05 -> -0.00001", "0.1 -> 0.1", "1.7976931348623157E+308 -> 1.7976931348623157e308",
        "4.94065645841247E-324 -> 4.9406564584124654e-324", "0e999999999999999999999 -> 0",
        // Below the smallest double reads as zero rather than failing.
        "1e-400 -> 0", "0.000000000000000000000000000000000000000000000000000000001e-300 -> 0",
        // Fractions of whole numbers: the double nearest the quotient, however long the digits.
        "1/3 -> 0.33333333333333331", " -7 / 12  -> -0.58333333333333337",
        "7/-12 -> -0.58333333333333337", "-6/-4 -> 1.5", "0/-5 -> 0", "00010/4 -> 2.5",
        "100000000000000000000/300000000000000000001 -> 0.33333333333333331"};
    NumberFormat f;
    for (const Case& c : cases) {
        const double value = std::strtod(c.expected.c_str(), nullptr);
        EXPECT_EQ(f.toNumber(c.given), value) << c.given;
        double out = -1;
        EXPECT_TRUE(f.tryToNumber(c.given, out)) << c.given;
        EXPECT_EQ(out, value) << c.given;
    }
    EXPECT_TRUE(std::signbit(f.toNumber("-1e-400")));
    EXPECT_TRUE(std::signbit(f.toNumber("-0.0")));
    EXPECT_DOUBLE_EQ(f.toNumber("0." + std::string(400, '3')), 1.0 / 3);
}

TEST(NumberFormat, ToNumberRejectsEverythingElse) {
    const char* mismatches[] = {
        "",      "   ", "abc", "1,2", "1.2.3", "0x10", "&H10", "inf", "-Infinity", "nan",  "1e",
        "1e+",   "e5",  "+",   "-",   ".",     "-.",   "1 2",  "--1", "+-1",       "1.5x", "1d5",
        "1e5.5", "1\n", "1/0", "0/0", "1/2.5", "1//2", "/3",   "1/",  "1/3/4",     "1.5/2"};
    const std::string overflows[] = {"1e309",
                                     "-1e309",
                                     "1.8e308",
                                     "1e99999999999999999999999",
                                     "1" + std::string(400, '0'),
                                     "1" + std::string(400, '0') + "/3"};
    NumberFormat f;
    auto expectError = [&](const std::string& text, int error) {
        EXPECT_EQ(errorOf([&] { f.toNumber(text); }), error) << text;
        double out = 42;
        EXPECT_FALSE(f.tryToNumber(text, out)) << text;
        EXPECT_EQ(out, 42) << text;
    };
    for (const char* text : mismatches) expectError(text, err::TypeMismatch);
    for (const std::string& text : overflows) expectError(text, err::Overflow);
}

// Texts pass through as they are, an empty value is "" or 0, an array is no number.
TEST(NumberFormat, VariantsCommaSeparatorAndEveryTextReadsBack) {
    NumberFormat dot, comma(",");
    EXPECT_EQ(dot.toText(Variant(" 1.50 ")) + "|" + dot.toText(Variant()), " 1.50 |");
    EXPECT_EQ(dot.toNumber(Variant()) + dot.toNumber(Variant("-4")), -4);
    const Variant array(Array::matrix(1, 1));
    EXPECT_EQ(errorOf([&] { dot.toText(array); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { dot.toNumber(array); }), err::TypeMismatch);
    EXPECT_EQ(comma.toText(1.5e-5), "1,5E-05");
    EXPECT_EQ(comma.toText(1000000.0), "1000000");
    EXPECT_EQ(comma.toNumber("-1,5E+2"), -150);
    EXPECT_EQ(errorOf([&] { comma.toNumber("1.5"); }), err::TypeMismatch);
    EXPECT_EQ(comma.fixed(1.5, 2), "1,50");
    EXPECT_EQ(comma.fixed(-2.5, 0), "-3");
    for (double x : {1.0 / 3, -2.0 / 3, 1e-5, 123456789.123, 1e300, -5e-324, 0.0001}) {
        double rounded = std::strtod(dot.toText(x).c_str(), nullptr);
        EXPECT_EQ(dot.toNumber(dot.toText(x)), rounded) << x;
        EXPECT_EQ(comma.toNumber(comma.toText(x)), rounded) << x;
    }
}

TEST(NumberFormat, FixedHalvesAwayFromZeroOnTheFifteenDigitForm) {
    const Case cases[] = {
        // "x, decimals -> text"; 1.005 is 1.00499999999999989... in binary.
        "1.005, 2 -> 1.01", "2.675, 2 -> 2.68", "0.125, 2 -> 0.13", "2.5, 0 -> 3", "-1.5, 0 -> -2",
        "0.5, 0 -> 1", "0.5, 2 -> 0.50", "1.23456, 2 -> 1.23", "1.23456, 4 -> 1.2346",
        // Zeros, carries into a new digit, and values that round to zero.
        "0, 2 -> 0.00", "0, 0 -> 0", "-0, 1 -> 0.0", "9.5, 0 -> 10", "99.995, 2 -> 100.00",
        "-999.9999, 2 -> -1000.00", "0.005, 2 -> 0.01", "-0.005, 2 -> -0.01", "0.0049, 2 -> 0.00",
        "-0.004, 2 -> 0.00", "0.0005, 2 -> 0.00", "0.00005, 4 -> 0.0001", "0.00001, 5 -> 0.00001",
        "0.00001, 4 -> 0.0000", "1234.5, 0 -> 1235", "123.456, 0 -> 123",
        // Digits past the fifteenth are zeros.
        "1e20, 2 -> 100000000000000000000.00", "0.33333333333333331, 20 -> 0.33333333333333300000",
        "-0.66666666666666663, 3 -> -0.667"};
    NumberFormat f;
    for (const Case& c : cases) EXPECT_EQ(f.fixed(c.x(), c.decimals()), c.expected) << c.given;
    EXPECT_EQ(f.fixed(1, 99), "1." + std::string(99, '0'));
    EXPECT_EQ(errorOf([&] { f.fixed(1, -1); }), err::InvalidArgument);
    EXPECT_EQ(errorOf([&] { f.fixed(1, 100); }), err::InvalidArgument);
}

} // namespace
} // namespace velmor
