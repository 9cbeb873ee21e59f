#include "rt/text.h"

#include "gbk.h"

namespace rt {
namespace {

const char kWideBlank[] = "\xA1\xA1";

bool IsBlankAt(const Text& text, size_t pos, size_t width) {
    if (width == 1) return text[pos] == ' ';
    return text.compare(pos, 2, kWideBlank, 2) == 0;
}

}  // namespace

int TextLength(const Text& text) { return static_cast<int>(text.size()); }

int BytesLength(const ByteSet& bytes) { return static_cast<int>(bytes.size()); }

Text TrimBoth(const Text& text) {
    // Forward walk only: a byte seen from the end cannot tell a lone A1 from
    // the trail half of another character.
    size_t begin = text.size();
    size_t end = 0;
    for (size_t pos = 0; pos < text.size();) {
        const size_t width = gbk::CharWidth(text, pos);
        if (!IsBlankAt(text, pos, width)) {
            if (begin == text.size()) begin = pos;
            end = pos + width;
        }
        pos += width;
    }
    if (begin >= end) return Text();
    return text.substr(begin, end - begin);
}

TextArray SplitText(const Text& text, const Text& delimiter, int maxCount) {
    TextArray pieces;
    if (text.empty() || maxCount == 0) return pieces;
    if (delimiter.empty()) {
        pieces.Add(text);
        return pieces;
    }
    size_t start = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        if (text.compare(pos, delimiter.size(), delimiter) == 0) {
            pieces.Add(text.substr(start, pos - start));
            if (maxCount > 0 && pieces.Count() >= maxCount) return pieces;
            pos += delimiter.size();
            start = pos;
        } else {
            // Matches only at character starts: a delimiter such as "\" must
            // not be found inside a double-byte character.
            pos += gbk::CharWidth(text, pos);
        }
    }
    if (start < text.size()) pieces.Add(text.substr(start));
    return pieces;
}

Text CharFromCode(int code) {
    const char byte = static_cast<char>(static_cast<unsigned char>(code & 0xFF));
    if (byte == 0) return Text();
    return Text(1, byte);
}

Text Spaces(int n) {
    if (n < 1) return Text();
    return Text(static_cast<size_t>(n), ' ');
}

Text FoldFullWidth(const Text& text) {
    Text out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const size_t width = gbk::CharWidth(text, pos);
        if (width == 2) {
            const unsigned char lead = static_cast<unsigned char>(text[pos]);
            const unsigned char trail = static_cast<unsigned char>(text[pos + 1]);
            if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
                out.push_back(static_cast<char>(trail - 0x80));
            } else if (lead == 0xA1 && trail == 0xA1) {
                out.push_back(' ');
            } else {
                out.append(text, pos, 2);
            }
        } else {
            out.push_back(text[pos]);
        }
        pos += width;
    }
    return out;
}

}  // namespace rt
