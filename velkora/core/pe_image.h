// Recognising a whole Windows program image among downloaded bytes, so that
// an error page or a cut-off answer is never written over a program file.
#pragma once

#include "rt/values.h"

namespace velkora {

// True when the bytes hold a whole PE image: "MZ" at the start, "PE\0\0" at
// the offset that e_lfanew (bytes 0x3C..0x3F, little-endian) names, and the
// file header, the optional header, the section table and every section's
// raw data all inside the bytes. Trailing bytes beyond them are allowed.
bool IsPeImage(const rt::ByteSet& bytes);

}  // namespace velkora
