// The pieces joined with the delimiter give the text back (less one
// trailing delimiter); trimming and folding never grow the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rt/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    // The first byte picks the delimiter's length (0..3), taken from the text
    // that follows it.
    const size_t delimiterLength = data[0] % 4;
    if (size < 1 + delimiterLength) return 0;
    const rt::Text delimiter(reinterpret_cast<const char*>(data) + 1, delimiterLength);
    const rt::Text text(reinterpret_cast<const char*>(data) + 1 + delimiterLength,
                        size - 1 - delimiterLength);

    const rt::TextArray pieces = rt::SplitText(text, delimiter);
    rt::Text joined;
    for (int i = 1; i <= pieces.Count(); ++i) {
        if (i > 1) joined += delimiter;
        joined += pieces.At(i);
    }
    if (joined != text && joined + delimiter != text) std::abort();
    if (text.empty() != (pieces.Count() == 0)) std::abort();

    const int limit = data[0] / 4 % 4;
    if (rt::SplitText(text, delimiter, limit).Count() > limit) std::abort();

    const rt::Text trimmed = rt::TrimBoth(text);
    if (trimmed.size() > text.size() || text.find(trimmed) == rt::Text::npos) std::abort();
    if (rt::TrimBoth(trimmed) != trimmed) std::abort();
    if (rt::FoldFullWidth(text).size() > text.size()) std::abort();
    return 0;
}
