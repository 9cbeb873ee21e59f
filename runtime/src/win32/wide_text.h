// Texts to and from UTF-16 through the system's ANSI code page (936 on the
// systems this is made for), for the interfaces that take only wide texts:
// automation members and strings, shell link file names, the program's own
// path.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "rt/values.h"

namespace rt::win32 {

// std::allocator under a name of our own. The standard library ships
// std::wstring's code compiled in one piece, which comes whole (some 35 KB)
// into every file that uses it; a string of this allocator is compiled here,
// only the members used. The plug-ins need a wide text for their own folder.
template <typename T>
struct OwnAllocator : std::allocator<T> {
    OwnAllocator() = default;
    template <typename U>
    OwnAllocator(const OwnAllocator<U>&) noexcept {}
    template <typename U>
    struct rebind {
        using other = OwnAllocator<U>;
    };
};
using WideText = std::basic_string<wchar_t, std::char_traits<wchar_t>, OwnAllocator<wchar_t>>;

WideText ToWide(const Text& text);
// `units` code units of `wide` (no terminator needed); "" when there are none.
// A character the code page cannot write comes out as "?" or a look-alike.
Text FromWide(const wchar_t* wide, int units);
// The same, but nothing when any character has no form of its own in the
// code page: a path converted so still names the same file.
std::optional<Text> FromWideExactly(const WideText& wide);

}  // namespace rt::win32
