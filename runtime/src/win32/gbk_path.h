// Path helpers for GBK bytes. A trail byte of a double-byte character can be
// 0x5C ("\") or 0x2E ("."), so separators are found by walking characters,
// never by a plain byte search.
#pragma once

#include <string>

#include "rt/text.h"

namespace rt {
namespace win32 {

// Byte offset of the last single-byte `ch` in `text`, or npos.
inline std::string::size_type LastGbkChar(const std::string& text, char ch,
                                          std::string::size_type from = 0) {
    std::string::size_type found = std::string::npos;
    for (std::string::size_type i = from; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (IsGbkLeadByte(b) && i + 1 < text.size()) {
            ++i;  // skip the trail byte
        } else if (text[i] == ch) {
            found = i;
        }
    }
    return found;
}

// Whether the text ends in a single-byte "\" (not the trail of a character).
inline bool EndsWithBackslash(const std::string& text) {
    return !text.empty() && LastGbkChar(text, '\\') == text.size() - 1;
}

}  // namespace win32
}  // namespace rt
