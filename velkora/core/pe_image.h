// Recognising a whole Windows program image among downloaded bytes, so that
// an error page or a cut-off answer is never written over a program file.
#pragma once

#include <cstdint>

#include "rt/values.h"

namespace velkora {

// True when the bytes hold a whole PE image: "MZ" at the start, "PE\0\0" at
// the offset that e_lfanew (bytes 0x3C..0x3F, little-endian) names, and the
// file header, the optional header, the section table and every section's
// raw data all inside the bytes. Trailing bytes beyond them are allowed.
bool IsPeImage(const rt::ByteSet& bytes);

// The machine numbers of the file header (IMAGE_FILE_MACHINE_*).
constexpr uint16_t kMachineI386 = 0x014C, kMachineAmd64 = 0x8664;

enum class ImageKind { Executable, Library };

// True when the bytes hold a whole PE image (as above) for that machine,
// marked executable, and a library (IMAGE_FILE_DLL) exactly when a library
// is asked for: what may take the place of one of the suite's files.
bool IsProgramImage(const rt::ByteSet& bytes, uint16_t machine, ImageKind kind);

}  // namespace velkora
