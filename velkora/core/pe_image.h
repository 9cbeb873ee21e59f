// Recognising a Windows program image among downloaded bytes, so that an
// error page or a cut-off answer is never written over a program file.
#pragma once

#include "rt/values.h"

namespace velkora {

// "MZ" at the start and "PE\0\0" at the offset that the DOS header's
// e_lfanew (bytes 0x3C..0x3F, little-endian) names, inside the bytes.
bool IsPeImage(const rt::ByteSet& bytes);

}  // namespace velkora
