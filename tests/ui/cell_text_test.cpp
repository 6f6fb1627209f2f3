#include <gtest/gtest.h>

#include "ui/view/cell_text.h"

namespace velmor::test {
namespace {

// A cell that holds `width` characters.
std::optional<std::string> shorten(const std::string& text, std::size_t width) {
    return shortenNumber(text, [width](std::string_view s) { return s.size() <= width; });
}

TEST(CellText, NumbersKeepTheirFirstDigitsAndExponent) {
    struct Case {
        const char* text;
        std::size_t width;
        const char* shown;
    } cases[] = {
        {"9.00000000000065", 16, "9.00000000000065"}, // fits whole
        {"9.00000000000065", 8, "9.000000"},
        {"9.00000000000065", 1, "9"},
        {"-36.0000000000001", 6, "-36.00"},
        {"9.96", 3, "10"},                          // the rounding carries into a new digit
        {"0.000123456", 7, "0.00012"},              // leading zeros are no significant digits
        {"0.000123456", 5, "1E-04"},                // no digit left in plain form
        {"123456789012", 10, "1.2346E+11"},         // an integer too wide goes to exponent form
        {"1.23456789012346E+17", 10, "1.2346E+17"}, // the exponent stays
        {"9.99E+17", 5, "1E+18"},                   // ... and follows a carry
        {"-2,75", 2, "-3"},                         // comma as decimal separator
        {"0.0000", 3, "0"},
        {"-1.5E-300", 4, "###"}, // not even one digit fits
    };
    for (const Case& c : cases)
        EXPECT_EQ(shorten(c.text, c.width), std::optional<std::string>(c.shown))
            << c.text << " in " << c.width;
}

TEST(CellText, TextsThatAreNoNumbersAreLeftToTheCaller) {
    for (const char* text : {"", "abc", "1.2.3", "1E", "12a", "-", "n/a"})
        EXPECT_EQ(shorten(text, 2), std::nullopt) << text;
}

} // namespace
} // namespace velmor::test
