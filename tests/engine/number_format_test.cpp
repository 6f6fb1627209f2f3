#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/number_format.h"
#include "engine/runtime_error.h"

namespace velmor {
namespace {

int errorOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

struct TextCase {
    double x;
    const char* text;
};

TEST(NumberFormatToText, FifteenDigitsAndTheNotationBoundaries) {
    const TextCase cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {1, "1"},
        {-1, "-1"},
        {0.5, "0.5"},
        {100, "100"},
        {12345.678, "12345.678"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {-2.0 / 3, "-0.666666666666667"},
        // Lower boundary of fixed notation.
        {0.0001, "0.0001"},
        {-0.0001, "-0.0001"},
        {0.00015, "0.00015"},
        {0.000123456789012345678, "0.000123456789012346"},
        {0.00009999, "9.999E-05"},
        {0.00001, "1E-05"},
        {-0.00001, "-1E-05"},
        {9.99999999999999e-5, "9.99999999999999E-05"},
        // Sixteen nines round up to 0.0001 and the notation follows the rounded value.
        {9.999999999999999e-5, "0.0001"},
        // Upper boundary.
        {999999999999999.0, "999999999999999"},
        {123456789012345.0, "123456789012345"},
        {999999999999999.9, "1E+15"},
        {1e15, "1E+15"},
        {-1e15, "-1E+15"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {123456789012345678.0, "1.23456789012346E+17"},
        {1e100, "1E+100"},
        // Extremes of the double range.
        {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        {-std::numeric_limits<double>::max(), "-1.79769313486232E+308"},
        {std::numeric_limits<double>::min(), "2.2250738585072E-308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
        // Rounding to 15 digits that carries into a new leading digit.
        {9.9999999999999999, "10"},
        {0.99999999999999999, "1"},
        {99999.99999999999, "100000"},
    };
    NumberFormat f;
    for (const auto& c : cases) EXPECT_EQ(f.toText(c.x), c.text) << c.x;
}

// The fast shortest-form path must agree with exact rounding to 15 digits everywhere.
TEST(NumberFormatToText, AgreesWithExactRoundingOnRandomDoubles) {
    NumberFormat f;
    std::mt19937_64 rng(7);
    for (int n = 0; n < 50000; ++n) {
        double x = std::bit_cast<double>(rng());
        if (!std::isfinite(x)) continue;
        if (n % 2) x = static_cast<double>(rng() % 100000000) / 1000.0; // short decimals
        char exact[40];
        std::snprintf(exact, sizeof exact, "%.14e", x);
        std::string text = f.toText(x);
        ASSERT_EQ(std::strtod(text.c_str(), nullptr), std::strtod(exact, nullptr)) << text;
        double m = std::fabs(std::strtod(exact, nullptr));
        bool fixedForm = m == 0 || (m >= 0.0001 && m < 1e15);
        ASSERT_EQ(text.find('E') == std::string::npos, fixedForm) << text;
    }
}

TEST(NumberFormatToText, CommaSeparatorAlsoInTheMantissa) {
    NumberFormat f(",");
    EXPECT_EQ(f.toText(1.5), "1,5");
    EXPECT_EQ(f.toText(-0.25), "-0,25");
    EXPECT_EQ(f.toText(1.5e-5), "1,5E-05");
    EXPECT_EQ(f.toText(2.5e20), "2,5E+20");
    EXPECT_EQ(f.toText(1000000.0), "1000000");
}

TEST(NumberFormatToText, VariantForms) {
    NumberFormat f;
    EXPECT_EQ(f.toText(Variant("abc")), "abc");
    EXPECT_EQ(f.toText(Variant(" 1.50 ")), " 1.50 ");
    EXPECT_EQ(f.toText(Variant(0.25)), "0.25");
    EXPECT_EQ(f.toText(Variant()), "");
    EXPECT_EQ(errorOf([&] { f.toText(Variant(Array::matrix(1, 1))); }), err::TypeMismatch);
}

TEST(NumberFormatToNumber, AcceptedTexts) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1", 1},
        {"-2", -2},
        {"+3", 3},
        {" 1.5 ", 1.5},
        {"\t7\t", 7},
        {".5", 0.5},
        {"-.5", -0.5},
        {"5.", 5},
        {"0001", 1},
        {"1e3", 1000},
        {"1E+03", 1000},
        {"1.5e-2", 0.015},
        {"-1E-05", -1e-5},
        {"0.1", 0.1},
        {"1.7976931348623157E+308", std::numeric_limits<double>::max()},
        {"4.94065645841247E-324", std::numeric_limits<double>::denorm_min()},
        {"0e999999999999999999999", 0},
        // Below the smallest double reads as zero rather than failing.
        {"1e-400", 0},
        {"0.000000000000000000000000000000000000000000000000000000001e-300", 0},
    };
    NumberFormat f;
    for (const auto& c : cases) {
        EXPECT_EQ(f.toNumber(c.text), c.value) << c.text;
        double out = -1;
        EXPECT_TRUE(f.tryToNumber(c.text, out)) << c.text;
        EXPECT_EQ(out, c.value) << c.text;
    }
    EXPECT_TRUE(std::signbit(f.toNumber("-1e-400")));
}

TEST(NumberFormatToNumber, RejectedTextsAndOverflow) {
    const struct {
        const char* text;
        int error;
    } cases[] = {
        {"", err::TypeMismatch},          {"   ", err::TypeMismatch},
        {"abc", err::TypeMismatch},       {"1,2", err::TypeMismatch},
        {"1.2.3", err::TypeMismatch},     {"0x10", err::TypeMismatch},
        {"&H10", err::TypeMismatch},      {"inf", err::TypeMismatch},
        {"-Infinity", err::TypeMismatch}, {"nan", err::TypeMismatch},
        {"1e", err::TypeMismatch},        {"1e+", err::TypeMismatch},
        {"e5", err::TypeMismatch},        {"+", err::TypeMismatch},
        {"-", err::TypeMismatch},         {".", err::TypeMismatch},
        {"-.", err::TypeMismatch},        {"1 2", err::TypeMismatch},
        {"--1", err::TypeMismatch},       {"+-1", err::TypeMismatch},
        {"1.5x", err::TypeMismatch},      {"1d5", err::TypeMismatch},
        {"1e5.5", err::TypeMismatch},     {"1\n", err::TypeMismatch},
        {"1e309", err::Overflow},         {"-1e309", err::Overflow},
        {"1.8e308", err::Overflow},       {"1e99999999999999999999999", err::Overflow},
    };
    NumberFormat f;
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf([&] { f.toNumber(c.text); }), c.error) << c.text;
        double out = 42;
        EXPECT_FALSE(f.tryToNumber(c.text, out)) << c.text;
        EXPECT_EQ(out, 42) << c.text;
    }
    std::string huge = "1" + std::string(400, '0');
    EXPECT_EQ(errorOf([&] { f.toNumber(huge); }), err::Overflow);
    std::string longFraction = "0." + std::string(400, '3');
    EXPECT_DOUBLE_EQ(f.toNumber(longFraction), 1.0 / 3);
}

TEST(NumberFormatToNumber, CommaSeparator) {
    NumberFormat f(",");
    EXPECT_EQ(f.toNumber("1,5"), 1.5);
    EXPECT_EQ(f.toNumber("-1,5E+2"), -150);
    EXPECT_EQ(errorOf([&] { f.toNumber("1.5"); }), err::TypeMismatch);
}

TEST(NumberFormatToNumber, VariantForms) {
    NumberFormat f;
    EXPECT_EQ(f.toNumber(Variant()), 0);
    EXPECT_EQ(f.toNumber(Variant(2.5)), 2.5);
    EXPECT_EQ(f.toNumber(Variant("-4")), -4);
    EXPECT_EQ(errorOf([&] { f.toNumber(Variant("x")); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { f.toNumber(Variant(Array::matrix(1, 1))); }), err::TypeMismatch);
}

TEST(NumberFormatToNumber, EveryTextWrittenReadsBackToItsRoundedValue) {
    NumberFormat dot, comma(",");
    const double values[] = {1.0 / 3, -2.0 / 3, 1e-5, 123456789.123, 1e300, -5e-324, 0.0001};
    for (double x : values) {
        double rounded = std::strtod(dot.toText(x).c_str(), nullptr);
        EXPECT_EQ(dot.toNumber(dot.toText(x)), rounded) << x;
        EXPECT_EQ(comma.toNumber(comma.toText(x)), rounded) << x;
    }
}

TEST(NumberFormatFixed, HalvesAwayFromZeroOnTheFifteenDigitForm) {
    const struct {
        double x;
        int decimals;
        const char* text;
    } cases[] = {
        {1.005, 2, "1.01"}, // 1.00499999999999989... in binary
        {2.675, 2, "2.68"},
        {0.125, 2, "0.13"},
        {2.5, 0, "3"},
        {-1.5, 0, "-2"},
        {0.5, 0, "1"},
        {0.5, 2, "0.50"},
        {1.23456, 2, "1.23"},
        {1.23456, 4, "1.2346"},
        {0, 2, "0.00"},
        {0, 0, "0"},
        {-0.0, 1, "0.0"},
        {9.5, 0, "10"},
        {99.995, 2, "100.00"},
        {-999.9999, 2, "-1000.00"},
        {0.005, 2, "0.01"},
        {-0.005, 2, "-0.01"},
        {0.0049, 2, "0.00"},
        {-0.004, 2, "0.00"},
        {0.0005, 2, "0.00"},
        {0.00005, 4, "0.0001"},
        {0.00001, 5, "0.00001"},
        {0.00001, 4, "0.0000"},
        {1234.5, 0, "1235"},
        {123.456, 0, "123"},
        {1e20, 2, "100000000000000000000.00"},
        {1.0 / 3, 20, "0.33333333333333300000"},
        {-2.0 / 3, 3, "-0.667"},
    };
    NumberFormat f;
    for (const auto& c : cases)
        EXPECT_EQ(f.fixed(c.x, c.decimals), c.text) << c.x << " " << c.decimals;
}

TEST(NumberFormatFixed, DecimalsRangeAndSeparator) {
    NumberFormat f, comma(",");
    EXPECT_EQ(f.fixed(1, 99), "1." + std::string(99, '0'));
    EXPECT_EQ(errorOf([&] { f.fixed(1, -1); }), err::InvalidArgument);
    EXPECT_EQ(errorOf([&] { f.fixed(1, 100); }), err::InvalidArgument);
    EXPECT_EQ(comma.fixed(1.5, 2), "1,50");
    EXPECT_EQ(comma.fixed(-2.5, 0), "-3");
}

} // namespace
} // namespace velmor
