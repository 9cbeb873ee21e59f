// Texts to and from UTF-16 through the system's ANSI code page (936 on the
// systems this is made for), for the interfaces that take only wide texts:
// automation members and strings, shell link file names, the program's own
// path.
#pragma once

#include <optional>
#include <string>

#include "rt/values.h"

namespace rt::win32 {

std::wstring ToWide(const Text& text);
// `units` code units of `wide` (no terminator needed); "" when there are none.
// A character the code page cannot write comes out as "?" or a look-alike.
Text FromWide(const wchar_t* wide, int units);
// The same, but nothing when any character has no form of its own in the
// code page: a path converted so still names the same file.
std::optional<Text> FromWideExactly(const std::wstring& wide);

}  // namespace rt::win32
