// Walking GBK text one character at a time (internal to the core).
#pragma once

#include <cstddef>

#include "rt/text.h"

namespace rt {
namespace gbk {

inline bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Width in bytes of the character at pos (pos < text.size()). A lead byte
// counts as half of a pair only when a valid trail byte follows it; a lead
// byte cut off at the end, or followed by a quote, blank or other byte that
// cannot be a trail, stands alone, so that byte is never swallowed.
inline size_t CharWidth(const Text& text, size_t pos) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (IsGbkLeadByte(lead) && pos + 1 < text.size() &&
        IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
        return 2;
    }
    return 1;
}

}  // namespace gbk
}  // namespace rt
