#include "rt/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "rt/dates.h"
#include "rt/fatal.h"
#include "rt/text.h"

namespace rt {
namespace {

// The blanks atoi and atof skip, in the "C" locale; named here so that no
// locale the host happens to have can change them.
bool IsCBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipBlanks(const Text& t, size_t pos) {
    while (pos < t.size() && IsCBlank(t[pos])) ++pos;
    return pos;
}

size_t SkipDigits(const Text& t, size_t pos) {
    while (pos < t.size() && IsDigit(t[pos])) ++pos;
    return pos;
}

// Leading blanks and an optional sign, as atoi and atof take them; the
// position of what follows.
size_t SkipBlanksAndSign(const Text& t, bool* negative) {
    size_t pos = SkipBlanks(t, 0);
    if (pos < t.size() && (t[pos] == '+' || t[pos] == '-')) {
        *negative = t[pos] == '-';
        ++pos;
    }
    return pos;
}

}  // namespace

int32_t ToInteger(const Text& text) {
    const Text t = FoldFullWidth(text);
    bool negative = false;
    size_t pos = SkipBlanksAndSign(t, &negative);
    // Accumulate the magnitude with a ceiling just past the 32-bit range, so
    // any number of digits saturates instead of overflowing.
    const int64_t ceiling = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; pos < t.size() && IsDigit(t[pos]); ++pos) {
        magnitude = magnitude * 10 + (t[pos] - '0');
        if (magnitude > ceiling) magnitude = ceiling;
    }
    const int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int32_t ToInteger(double value) { return TruncateToInt32(value); }

int32_t TruncateToInt32(double value) {
    // The x87/SSE conversion gives 0x8000000000000000 for NaN and for
    // anything outside the 64-bit range; its low 32 bits are 0. Converting
    // such a value in C++ is undefined, so it is spelled out.
    const double limit = 9223372036854775808.0;  // 2^63
    if (!(value > -limit && value < limit)) return 0;
    const int64_t whole = static_cast<int64_t>(value);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

double ToNumber(const Text& text) {
    const Text t = FoldFullWidth(text);
    bool negative = false;
    size_t pos = SkipBlanksAndSign(t, &negative);
    // The longest prefix atof would take: digits, an optional fraction and
    // an optional exponent that has digits of its own.
    const size_t start = pos;
    const size_t intEnd = SkipDigits(t, start);
    size_t end = intEnd;
    size_t fracBegin = intEnd;
    if (end < t.size() && t[end] == '.') {
        fracBegin = end + 1;
        end = SkipDigits(t, fracBegin);
    }
    if (intEnd == start && end == fracBegin) return 0.0;  // no digits at all
    if (end < t.size() && (t[end] == 'e' || t[end] == 'E')) {
        size_t e = end + 1;
        if (e < t.size() && (t[e] == '+' || t[e] == '-')) ++e;
        const size_t expEnd = SkipDigits(t, e);
        if (expEnd > e) end = expEnd;
    }
    // strtod is atof: HUGE_VAL on overflow, 0 or a subnormal on underflow.
    // It sees only the sign-less number found above; the layer never sets a
    // locale, so "." is its decimal point.
    const Text number(t, start, end - start);
    const double value = std::strtod(number.c_str(), nullptr);
    return negative ? -value : value;
}

Text ToText(int32_t value) {
    char buffer[16];
    const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return Text(buffer, r.ptr);
}

Text ToText(double value) {
    // The layer never sets a locale, so the C library formats in the "C"
    // locale, with "." as the decimal point. (std::to_chars would do the
    // same, but brings a quarter of a megabyte of tables into each file.)
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.13g", value);
    if (n < 0 || n >= static_cast<int>(sizeof buffer)) return Text();
    return Text(buffer, static_cast<size_t>(n));
}

Text ToText(const ByteSet& bytes) {
    size_t n = 0;
    while (n < bytes.size() && bytes[n] != 0) ++n;
    return Text(reinterpret_cast<const char*>(bytes.data()), n);
}

ByteSet ToBytes(int32_t value) {
    const uint32_t u = static_cast<uint32_t>(value);
    return ByteSet{static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                   static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
}

ByteSet ToBytes(const Text& text) { return ByteSet(text.begin(), text.end()); }

double IntDivide(double a, std::initializer_list<double> divisors) {
    double result = a;
    for (double d : divisors) {
        if (d == 0.0) RaiseFatal(0, "不能整除于零");
        result = std::trunc(result / d);
    }
    return result;
}

int32_t BitOr(std::initializer_list<int32_t> values) {
    int32_t result = 0;
    for (int32_t v : values) result |= v;
    return result;
}

}  // namespace rt
