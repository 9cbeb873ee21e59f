// Texts to and from UTF-16 through the system's ANSI code page (936 on the
// systems this is made for), for the interfaces that take only wide texts:
// automation members and strings, shell link file names.
#pragma once

#include <string>

#include "rt/values.h"

namespace rt::win32 {

std::wstring ToWide(const Text& text);
// `units` code units of `wide` (no terminator needed); "" when there are none.
Text FromWide(const wchar_t* wide, int units);

}  // namespace rt::win32
