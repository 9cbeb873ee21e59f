#include "wide_text.h"

#include <windows.h>

namespace rt::win32 {

std::wstring ToWide(const Text& text) {
    if (text.empty()) return std::wstring();
    const int length = static_cast<int>(text.size());
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide[0], n);
    return wide;
}

Text FromWide(const wchar_t* wide, int units) {
    if (!wide || units <= 0) return Text();
    const int n = ::WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    Text out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, units, &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace rt::win32
