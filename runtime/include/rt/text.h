// Text operations on GBK byte strings. Double-byte characters (lead byte
// 0x81..0xFE followed by a trail byte) are never split.
#pragma once

#include "rt/values.h"

namespace rt {

inline bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

int TextLength(const Text& text);
int BytesLength(const ByteSet& bytes);

// Strips leading and trailing ASCII blanks (0x20) and double-byte blanks
// (A1 A1); tabs stay.
Text TrimBoth(const Text& text);

// Pieces between delimiters. Empty text -> empty array; a leading or doubled
// delimiter gives empty pieces; an empty remainder after the last delimiter
// is dropped. maxCount < 0 means no limit.
TextArray SplitText(const Text& text, const Text& delimiter = ",", int maxCount = -1);

// One-character text of the byte; 0 gives the empty text.
Text CharFromCode(int code);

// n blanks; empty when n < 1.
Text Spaces(int n);

// Folds double-byte full-width characters to their one-byte forms:
// A3A1..A3FE -> 0x21..0x7E, A1A1 -> 0x20. Other bytes pass unchanged.
Text FoldFullWidth(const Text& text);

}  // namespace rt
