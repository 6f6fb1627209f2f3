#include "engine/number_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstring>
#include <cmath>
#include <limits>
#include <system_error>

#include "engine/exact_number.h"
#include "engine/runtime_error.h"

namespace velmor {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kMaxDecimals = 99;

// A finite nonzero magnitude as decimal digits d1 d2 ... dn (no trailing zeros) and the
// power of ten of d1, so the value is d1.d2...dn x 10^exponent.
struct Decimal {
    char digits[kSignificantDigits + 1];
    int count = 0;
    int exponent = 0;
};

// Adds one unit in the last of the first `count` digits and drops the rest; all nines carry
// into a new leading digit (99.96 -> 100.0).
void roundUp(Decimal& d, int count) {
    int i = count - 1;
    while (i >= 0 && d.digits[i] == '9') --i;
    if (i < 0) {
        d.digits[0] = '1';
        d.count = 1;
        ++d.exponent;
    } else {
        ++d.digits[i];
        d.count = i + 1;
    }
}

// Splits to_chars' scientific form "d[.ddd]e+XX" into digits, the first `limit` of them into
// `d` and any beyond into `rest`, and the exponent. Returns the number of digits.
int readScientific(const char* buf, const char* end, Decimal& d, char* rest, int limit) {
    const char* e = buf + 1;
    while (e != end && *e != 'e') ++e;
    // Local copies: stores through char pointers would otherwise force the count to memory.
    char digits[24];
    int all = 0;
    digits[all++] = buf[0];
    for (const char* p = buf + 2; p < e; ++p) digits[all++] = *p;
    const int kept = all < limit ? all : limit;
    std::memcpy(d.digits, digits, static_cast<std::size_t>(kept));
    if (all > kept) std::memcpy(rest, digits + kept, static_cast<std::size_t>(all - kept));
    d.count = kept;
    const bool negative = e[1] == '-';
    int exponent = 0;
    for (const char* p = e + 2; p < end; ++p) exponent = exponent * 10 + (*p - '0');
    d.exponent = negative ? -exponent : exponent;
    return all;
}

// Rounds |x| (finite, nonzero) to 15 significant digits.
//
// Whole numbers below 1E+15, the common case of keyed-in values, are exact in an integer.
// Otherwise the shortest round-trip form S of a normal double decides it, being much cheaper
// than exact rounding: with up to 15 digits S is the rounding (the double lies closer to S
// than half a unit of the 15th digit). With 16 or 17 digits, no 15-digit rounding midpoint
// (a 16-digit number ending in 5) lies between S and the double, since it would round-trip
// and be a shorter or closer choice than S; so rounding S half up gives the same digits,
// unless S is itself such a midpoint. That case, and subnormals, which have too few bits for
// the first argument, take the exact rounding.
// Powers of ten up to 10^27, all exact in the 64-bit mantissa of long double.
constexpr auto kPowers = [] {
    std::array<long double, 28> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i) p[i] = p[i - 1] * 10;
    return p;
}();

// v, from 10^14 to 10^15 - 1, as its 15 digits, two at a time from the right.
void writeFifteenDigits(std::uint64_t v, char* out) {
    static constexpr auto kPairs = [] {
        std::array<char, 200> p{};
        for (int i = 0; i < 100; ++i) {
            p[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
            p[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
        }
        return p;
    }();
    for (int i = kSignificantDigits - 2; i > 0; i -= 2) {
        const auto pair = static_cast<std::size_t>(v % 100) * 2;
        v /= 100;
        out[i] = kPairs[pair];
        out[i + 1] = kPairs[pair + 1];
    }
    out[0] = static_cast<char>('0' + v);
}

// The 15 significant digits of m (positive, finite) from one scaling by a power of ten in
// extended precision. The scaled value is below 2^50 with a relative error of at most 2^-64,
// so it is off by less than 2^-14 in absolute terms: its rounding to an integer is the exact
// one unless the fraction lies that close to one half. Such near-ties, and magnitudes whose
// power of ten is not exact, return false for the exact path.
bool scaledDecimal(double m, Decimal& d) {
    // The binary exponent read from the bits: m is normal here (subnormals fail the range
    // check below), and frexp would be a library call per number.
    const int e2 = static_cast<int>((std::bit_cast<std::uint64_t>(m) >> 52) & 0x7ff) - 1022;
    // floor((e2 - 1) log10 2) in integers; an estimate off by one is corrected below.
    int e = ((e2 - 1) * 78913) >> 18;
    long double s = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int k = kSignificantDigits - 1 - e;
        if (k < -27 || k > 27) return false;
        s = k >= 0 ? static_cast<long double>(m) * kPowers[static_cast<std::size_t>(k)]
                   : static_cast<long double>(m) / kPowers[static_cast<std::size_t>(-k)];
        if (s < 1e14L)
            --e;
        else if (s >= 1e15L)
            ++e;
        else
            break;
    }
    if (s < 1e14L || s >= 1e15L) return false;
    // Between 2^63 and 2^64 the 64-bit significand holds whole numbers only, so s + 2^63 is s
    // rounded to the nearest one, read from the significand's bits: a conversion instruction
    // would switch the rounding mode twice per number.
    static_assert(std::numeric_limits<long double>::digits == 64);
    const long double shifted = s + 0x1p63L;
    std::uint64_t significand = 0;
    std::memcpy(&significand, &shifted, sizeof significand);
    if (std::fabs(std::fabs(s - (shifted - 0x1p63L)) - 0.5L) < 1e-4L) return false;
    auto v = significand - (std::uint64_t{1} << 63);
    if (v == 1'000'000'000'000'000ULL) {
        v /= 10;
        ++e;
    }
    writeFifteenDigits(v, d.digits);
    d.count = kSignificantDigits;
    d.exponent = e;
    return true;
}

Decimal toDecimal(double x) {
    char buf[40];
    double m = std::fabs(x);
    Decimal d;
    if (m < 1e15 && m == static_cast<double>(static_cast<std::uint64_t>(m))) {
        auto res = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(m));
        d.count = static_cast<int>(res.ptr - buf);
        d.exponent = d.count - 1;
        std::memcpy(d.digits, buf, static_cast<std::size_t>(d.count));
    } else if (!scaledDecimal(m, d)) {
        char rest[4];
        int all = 0;
        if (m >= std::numeric_limits<double>::min()) {
            auto res = std::to_chars(buf, buf + sizeof buf, m, std::chars_format::scientific);
            all = readScientific(buf, res.ptr, d, rest, kSignificantDigits);
        }
        if (all > kSignificantDigits && !(all == kSignificantDigits + 1 && rest[0] == '5')) {
            if (rest[0] >= '5') roundUp(d, d.count);
        } else if (all == 0 || all > kSignificantDigits) {
            d.count = 0;
            auto res = std::to_chars(buf, buf + sizeof buf, m, std::chars_format::scientific,
                                     kSignificantDigits - 1);
            readScientific(buf, res.ptr, d, rest, kSignificantDigits);
        }
    }
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    return d;
}

// Writes the digits in fixed notation with exactly `decimals` digits after the separator
// (none when 0), padding with zeros on either side as needed.
void appendFixed(std::string& out, const Decimal& d, int decimals, const std::string& sep) {
    if (d.exponent < 0) {
        out += '0';
    } else {
        for (int i = 0; i <= d.exponent; ++i) out += i < d.count ? d.digits[i] : '0';
    }
    if (decimals == 0) return;
    out += sep;
    for (int k = 1; k <= decimals; ++k) {
        int i = d.exponent + k; // index of the digit worth 10^-k
        out += i >= 0 && i < d.count ? d.digits[i] : '0';
    }
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

enum class Parse { Ok, Invalid, Overflow };

// [sign] digits, leading zeros dropped from the digits.
bool wholePart(std::string_view t, bool& negative, std::string_view& digits) {
    while (!t.empty() && isBlank(t.front())) t.remove_prefix(1);
    while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
    negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    if (t.empty()) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    while (t.size() > 1 && t.front() == '0') t.remove_prefix(1);
    digits = t;
    return true;
}

// A fraction p/q of two whole numbers, q not 0, read as the double nearest the quotient.
Parse parseFraction(std::string_view t, std::size_t slash, double& out) {
    bool np = false, nq = false;
    std::string_view p, q;
    if (!wholePart(t.substr(0, slash), np, p) || !wholePart(t.substr(slash + 1), nq, q) || q == "0")
        return Parse::Invalid;
    const bool negative = np != nq;
    // Below 10^15 both are exact doubles, and one division rounds the quotient correctly.
    if (p.size() <= 15 && q.size() <= 15) {
        std::uint64_t a = 0, b = 0;
        std::from_chars(p.data(), p.data() + p.size(), a);
        std::from_chars(q.data(), q.data() + q.size(), b);
        const double x = static_cast<double>(a) / static_cast<double>(b);
        out = negative ? -x : x;
        return Parse::Ok;
    }
    return exact::fractionToDouble(p, q, negative, out) ? Parse::Ok : Parse::Overflow;
}

bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// The usual text, [sign] digits [sep digits] [(E|e) [sign] digits], whose digits (at most 19)
// and power of ten are both exact doubles: one multiplication or division gives the correctly
// rounded value, the bits from_chars gives, in a single pass. False for anything else.
bool exactShortDecimal(std::string_view t, const std::string& sep, double& out) {
    static constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const char *p = t.data(), *const end = p + t.size();
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-')) ++p;
    std::uint64_t mantissa = 0;
    const char* const first = p;
    for (; p < end && isDigit(*p); ++p) mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
    long long digits = p - first, fractionDigits = 0;
    if (!sep.empty() && static_cast<std::size_t>(end - p) >= sep.size() &&
        std::memcmp(p, sep.data(), sep.size()) == 0) {
        p += sep.size();
        const char* const fraction = p;
        for (; p < end && isDigit(*p); ++p)
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        fractionDigits = p - fraction;
        digits += fractionDigits;
    }
    if (digits == 0 || digits > 19) return false;
    int exponent = 0;
    if (p < end && (*p == 'E' || *p == 'e')) {
        ++p;
        const bool negativeExponent = p < end && *p == '-';
        if (p < end && (*p == '+' || *p == '-')) ++p;
        const char* const expFirst = p;
        for (; p < end && isDigit(*p) && p - expFirst < 4; ++p)
            exponent = exponent * 10 + (*p - '0');
        if (p == expFirst) return false;
        if (negativeExponent) exponent = -exponent;
    }
    const long long scale = exponent - fractionDigits;
    if (p != end || mantissa > (std::uint64_t{1} << 53) || scale < -22 || scale > 22) return false;
    const double m = static_cast<double>(mantissa);
    const double value = scale < 0 ? m / kExactPowers[-scale] : m * kExactPowers[scale];
    out = negative ? -value : value;
    return true;
}

// Checks the text against [blanks] [sign] digits [sep digits] [(E|e) [sign] digits] [blanks]
// with at least one mantissa digit, and converts it.
Parse parseNumber(std::string_view text, const std::string& sep, double& out) {
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b])) ++b;
    while (e > b && isBlank(text[e - 1])) --e;
    std::string_view t = text.substr(b, e - b);
    if (t.empty()) return Parse::Invalid;
    if (exactShortDecimal(t, sep, out)) return Parse::Ok;
    if (auto slash = t.find('/'); slash != std::string_view::npos)
        return parseFraction(t, slash, out);

    // from_chars wants '.' and no '+', so the accepted text is copied in that form.
    constexpr std::size_t kStack = 64;
    std::array<char, kStack> stack;
    std::string heap;
    char* buf = stack.data();
    if (t.size() >= kStack) {
        heap.resize(t.size() + 1);
        buf = heap.data();
    }
    std::size_t n = 0, i = 0;
    bool negative = false;
    if (t[i] == '+' || t[i] == '-') negative = t[i++] == '-';
    if (negative) buf[n++] = '-';
    // Decimal exponent of the leading nonzero digit, to tell overflow from underflow.
    long long intDigits = 0, leadingFractionZeros = 0;
    bool seenNonzero = false;
    int digits = 0;
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits) {
        if (t[i] != '0') seenNonzero = true;
        if (seenNonzero) ++intDigits;
        buf[n++] = t[i];
    }
    if (!sep.empty() && t.substr(i, sep.size()) == sep) {
        i += sep.size();
        buf[n++] = '.';
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++digits) {
            if (t[i] != '0') seenNonzero = true;
            if (!seenNonzero) ++leadingFractionZeros;
            buf[n++] = t[i];
        }
    }
    if (digits == 0) return Parse::Invalid;
    long long exponent = 0;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        buf[n++] = 'e';
        ++i;
        bool expNegative = false;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            expNegative = t[i] == '-';
            if (expNegative) buf[n++] = '-';
            ++i;
        }
        int expDigits = 0;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i, ++expDigits) {
            if (exponent < LLONG_MAX / 20) exponent = exponent * 10 + (t[i] - '0');
            buf[n++] = t[i];
        }
        if (expDigits == 0) return Parse::Invalid;
        if (expNegative) exponent = -exponent;
    }
    if (i != t.size()) return Parse::Invalid;

    double value = 0;
    auto res = std::from_chars(buf, buf + n, value);
    if (res.ec == std::errc::result_out_of_range) {
        long long magnitude =
            intDigits > 0 ? exponent + intDigits - 1 : exponent - leadingFractionZeros - 1;
        if (magnitude > 0) return Parse::Overflow;
        value = negative ? -0.0 : 0.0; // below the smallest double: reads as zero
    } else if (res.ec != std::errc() || res.ptr != buf + n) {
        return Parse::Invalid;
    }
    out = value;
    return Parse::Ok;
}

} // namespace

NumberFormat::NumberFormat(std::string decimalSeparator) : sep_(std::move(decimalSeparator)) {
    // A separator is one character, at most four bytes; anything longer is cut to fit the
    // text buffer.
    if (sep_.size() > kTextBuffer - 24) sep_.resize(kTextBuffer - 24);
}

std::string NumberFormat::toText(double x) const {
    char buf[kTextBuffer];
    return std::string(toText(x, buf));
}

std::string_view NumberFormat::toText(double x, char (&buf)[kTextBuffer]) const {
    auto literal = [&buf](std::string_view t) {
        std::copy(t.begin(), t.end(), buf);
        return std::string_view(buf, t.size());
    };
    if (x == 0) return literal("0");
    if (std::isnan(x)) return literal("NaN");
    if (std::isinf(x)) return literal(x < 0 ? "-Inf" : "Inf");
    Decimal d = toDecimal(x);
    // Composed with '.'; a longer separator goes in afterwards.
    char* out = buf;
    char* point = nullptr;
    if (x < 0) *out++ = '-';
    // The notation is chosen after rounding, so 999999999999999.9 becomes 1E+15.
    if (d.exponent >= -4 && d.exponent < kSignificantDigits) {
        if (d.exponent < 0) {
            *out++ = '0';
            point = out;
            *out++ = '.';
            for (int k = d.exponent + 1; k < 0; ++k) *out++ = '0';
            out = std::copy(d.digits, d.digits + d.count, out);
        } else {
            for (int i = 0; i <= d.exponent; ++i) *out++ = i < d.count ? d.digits[i] : '0';
            if (d.count > d.exponent + 1) {
                point = out;
                *out++ = '.';
                out = std::copy(d.digits + d.exponent + 1, d.digits + d.count, out);
            }
        }
    } else {
        *out++ = d.digits[0];
        if (d.count > 1) {
            point = out;
            *out++ = '.';
            out = std::copy(d.digits + 1, d.digits + d.count, out);
        }
        *out++ = 'E';
        *out++ = d.exponent < 0 ? '-' : '+';
        int e = std::abs(d.exponent);
        if (e < 10) *out++ = '0';
        out = std::to_chars(out, buf + kTextBuffer, e).ptr;
    }
    if (point && sep_ != ".") {
        // Composed texts are at most 23 characters: the separator fits in what is left.
        const std::size_t tail = static_cast<std::size_t>(out - point - 1);
        std::memmove(point + sep_.size(), point + 1, tail);
        std::memcpy(point, sep_.data(), sep_.size());
        out = point + sep_.size() + tail;
    }
    return std::string_view(buf, static_cast<std::size_t>(out - buf));
}

std::string NumberFormat::toText(const Variant& v) const {
    if (v.isText()) return v.text();
    if (v.isNumber()) return toText(v.number());
    if (v.isEmpty()) return {};
    throw RuntimeError(err::TypeMismatch);
}

double NumberFormat::toNumber(std::string_view text) const {
    double out = 0;
    switch (parseNumber(text, sep_, out)) {
    case Parse::Ok:
        return out;
    case Parse::Overflow:
        throw RuntimeError(err::Overflow);
    case Parse::Invalid:
        break;
    }
    throw RuntimeError(err::TypeMismatch);
}

bool NumberFormat::tryToNumber(std::string_view text, double& out) const {
    return parseNumber(text, sep_, out) == Parse::Ok;
}

double NumberFormat::toNumber(const Variant& v) const {
    if (v.isNumber()) return v.number();
    if (v.isText()) return toNumber(v.text());
    if (v.isEmpty()) return 0;
    throw RuntimeError(err::TypeMismatch);
}

std::string NumberFormat::fixed(double x, int decimals) const {
    if (decimals < 0 || decimals > kMaxDecimals) throw RuntimeError(err::InvalidArgument);
    if (!std::isfinite(x)) return toText(x);
    std::string out;
    if (x == 0) {
        appendFixed(out, Decimal{{'0'}, 1, 0}, decimals, sep_);
        return out;
    }
    Decimal d = toDecimal(x);
    // Digits kept: those worth at least 10^-decimals.
    int keep = d.exponent + decimals + 1;
    bool zero = false;
    if (keep < 0) {
        zero = true;
    } else if (keep < d.count) {
        bool up = d.digits[keep] >= '5';
        d.count = keep;
        if (up) {
            roundUp(d, keep);
        } else if (keep == 0) {
            zero = true;
        }
    }
    if (zero) {
        appendFixed(out, Decimal{{'0'}, 1, 0}, decimals, sep_);
        return out;
    }
    if (x < 0) out += '-';
    appendFixed(out, d, decimals, sep_);
    return out;
}

} // namespace velmor
