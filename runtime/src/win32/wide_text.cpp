#include "wide_text.h"

#include <windows.h>

namespace rt::win32 {

namespace {

// `replaced`, when given, tells whether any character had to be replaced.
Text Convert(const wchar_t* wide, int units, DWORD flags, BOOL* replaced) {
    if (!wide || units <= 0) return Text();
    const int n = ::WideCharToMultiByte(CP_ACP, flags, wide, units, nullptr, 0, nullptr, replaced);
    if (n <= 0) return Text();
    Text out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, flags, wide, units, &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace

WideText ToWide(const Text& text) {
    if (text.empty()) return WideText();
    const int length = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    WideText wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide[0], n);
    return wide;
}

Text FromWide(const wchar_t* wide, int units) { return Convert(wide, units, 0, nullptr); }

std::optional<Text> FromWideExactly(const WideText& wide) {
    if (wide.empty()) return Text();
    // Without WC_NO_BEST_FIT_CHARS "Å" would quietly become "A": another
    // name, not a "?".
    BOOL replaced = FALSE;
    Text text = Convert(wide.data(), static_cast<int>(wide.size()), WC_NO_BEST_FIT_CHARS, &replaced);
    if (replaced || text.empty()) return std::nullopt;
    return text;
}

}  // namespace rt::win32
