// ToInteger and ToNumber agree with the C library's strtoll and strtod (in
// the "C" locale) on the folded text, wherever those read a plain decimal.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "rt/numbers.h"
#include "rt/text.h"

namespace {

bool StartsPlainDecimal(const std::string& t) {
    size_t p = 0;
    while (p < t.size() && std::strchr(" \t\n\v\f\r", t[p]) && t[p] != '\0') ++p;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) ++p;
    if (p + 1 < t.size() && t[p] == '0' && (t[p + 1] == 'x' || t[p + 1] == 'X')) return false;
    return p < t.size() && ((t[p] >= '0' && t[p] <= '9') || t[p] == '.');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const rt::Text text(reinterpret_cast<const char*>(data), size);
    const std::string folded = rt::FoldFullWidth(text);

    long long expected = std::strtoll(folded.c_str(), nullptr, 10);
    if (expected > INT32_MAX) expected = INT32_MAX;
    if (expected < INT32_MIN) expected = INT32_MIN;
    if (rt::ToInteger(text) != expected) std::abort();

    const double number = rt::ToNumber(text);
    if (std::isnan(number)) std::abort();
    if (StartsPlainDecimal(folded)) {
        const double reference = std::strtod(folded.c_str(), nullptr);
        if (!(number == reference || (number == 0.0 && std::fabs(reference) < 1e-300))) std::abort();
    }
    if (std::isfinite(number)) {
        const double back = rt::ToNumber(rt::ToText(number));
        if (std::fabs(back - number) > std::fabs(number) * 1e-12) std::abort();
    }
    (void)rt::TruncateToInt32(number);
    return 0;
}
