#include "ui/view/cell_text.h"

#include <cctype>

namespace velmor {

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A number text split into its parts: value = 0.digits x 10^point, with the sign.
struct Parsed {
    bool negative = false;
    std::string intDigits, fracDigits;
    char separator = '.';
    bool hasExponent = false;
    long exponent = 0;
};

std::optional<Parsed> parse(const std::string& s) {
    Parsed p;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) p.negative = s[i++] == '-';
    while (i < s.size() && isDigit(s[i])) p.intDigits += s[i++];
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        p.separator = s[i++];
        while (i < s.size() && isDigit(s[i])) p.fracDigits += s[i++];
    }
    if (p.intDigits.empty() && p.fracDigits.empty()) return std::nullopt;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        bool minus = false;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) minus = s[i++] == '-';
        if (i == s.size()) return std::nullopt;
        long e = 0;
        while (i < s.size() && isDigit(s[i])) {
            if (e < 100000) e = e * 10 + (s[i] - '0');
            ++i;
        }
        p.hasExponent = true;
        p.exponent = minus ? -e : e;
    }
    if (i != s.size()) return std::nullopt;
    return p;
}

// Keeps the first `keep` digits of `digits`, rounding half up on the next one; true when the
// rounding carried out of the first digit (the result then has one digit more).
bool roundDigits(std::string& digits, std::size_t keep) {
    bool up = keep < digits.size() && digits[keep] >= '5';
    digits.resize(keep);
    for (std::size_t k = digits.size(); up && k-- > 0;) {
        if (digits[k] == '9') {
            digits[k] = '0';
        } else {
            ++digits[k];
            up = false;
        }
    }
    if (up) digits.insert(digits.begin(), '1');
    return up;
}

std::string exponentText(long e) {
    std::string digits = std::to_string(e < 0 ? -e : e);
    if (digits.size() < 2) digits.insert(0, "0");
    return std::string("E") + (e < 0 ? '-' : '+') + digits;
}

} // namespace

std::optional<std::string> shortenNumber(const std::string& text,
                                         const std::function<bool(std::string_view)>& fits) {
    std::optional<Parsed> parsed = parse(text);
    if (!parsed) return std::nullopt;
    if (fits(text)) return text;
    const Parsed& p = *parsed;
    const std::string sign = p.negative ? "-" : "";
    const std::string all = p.intDigits + p.fracDigits;
    const std::size_t firstSignificant = all.find_first_not_of('0');
    if (firstSignificant == std::string::npos) return fits("0") ? "0" : "###";

    // Plain form: fewer decimals, while a significant digit is left.
    if (!p.hasExponent) {
        for (std::size_t d = p.fracDigits.size(); d-- > 0;) {
            std::string digits = all;
            const bool carried = roundDigits(digits, p.intDigits.size() + d);
            if (digits.find_first_not_of('0') == std::string::npos) break;
            const std::size_t intLen = p.intDigits.size() + (carried ? 1 : 0);
            std::string candidate = sign + (intLen ? digits.substr(0, intLen) : "0");
            if (d > 0) candidate += p.separator + digits.substr(intLen);
            if (fits(candidate)) return candidate;
        }
    }

    // Exponent form: d.ddd...E+xx with fewer and fewer digits.
    const std::string significant = all.substr(firstSignificant);
    const long exponent = static_cast<long>(p.intDigits.size()) -
                          static_cast<long>(firstSignificant) - 1 + p.exponent;
    for (std::size_t m = significant.size(); m >= 1; --m) {
        std::string digits = significant;
        const bool carried = roundDigits(digits, m);
        if (carried) digits.pop_back();
        std::string candidate = sign + digits.substr(0, 1);
        if (m > 1) candidate += p.separator + digits.substr(1);
        candidate += exponentText(exponent + (carried ? 1 : 0));
        if (fits(candidate)) return candidate;
    }
    return "###";
}

} // namespace velmor
