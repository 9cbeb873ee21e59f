// Cutting GBK text to a fixed buffer.
#pragma once

#include <cstddef>

#include "rt/values.h"

namespace velkora {

// The longest head of text of at most maxBytes bytes that ends on a whole
// character: a double-byte character that would not fit is left out whole.
rt::Text CutToWholeChars(const rt::Text& text, size_t maxBytes);

}  // namespace velkora
