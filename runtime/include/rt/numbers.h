// Conversions between texts, numbers and byte sets.
#pragma once

#include <initializer_list>

#include "rt/values.h"

namespace rt {

// Text: folded, then read by atoi rules (leading blanks, optional sign,
// decimal digits; no digits gives 0; out-of-range saturates like strtol
// clipped to 32 bits). Double: truncated toward zero, low 32 bits of the
// 64-bit truncation.
int32_t ToInteger(const Text& text);
int32_t ToInteger(double value);

// Text: folded, then read by atof rules; no number gives 0.
double ToNumber(const Text& text);

Text ToText(int32_t value);         // decimal, "-" when negative
Text ToText(double value);          // "%.13g"
Text ToText(DateTime value);        // "2013年11月20日14时35分7秒" (see dates.h)
Text ToText(const ByteSet& bytes);  // bytes up to the first zero byte
inline Text ToText(const Text& text) { return text; }
inline Text ToText(const char* text) { return text ? Text(text) : Text(); }

ByteSet ToBytes(int32_t value);      // 4 bytes, least significant first
ByteSet ToBytes(const Text& text);   // the bytes without a NUL

// a divided by each divisor in turn, each quotient truncated toward zero.
// A zero divisor is fatal: "不能整除于零".
double IntDivide(double a, std::initializer_list<double> divisors);

int32_t BitOr(std::initializer_list<int32_t> values);

// Double handed on as an integer: truncated toward zero to 64 bits, low 32
// bits kept (the conversion the timer periods go through).
int32_t TruncateToInt32(double value);

}  // namespace rt
