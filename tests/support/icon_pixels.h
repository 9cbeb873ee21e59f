// What an icon looks like: drawn at size x size over a fixed colour that no
// icon here uses, read back as 32-bit pixels, row by row from the top. Two
// icons with the same pixels here look the same to a user.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace icon_test {

constexpr uint32_t kBehind = 0x00FF00FF;  // magenta

// Empty when the icon cannot be drawn (a null or foreign handle).
inline std::vector<uint32_t> IconPixels(HICON icon, int size) {
    if (!icon || size <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (dc && bitmap && bits) {
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        auto* p = static_cast<uint32_t*>(bits);
        for (int i = 0; i < size * size; ++i) p[i] = kBehind;
        if (::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL)) {
            ::GdiFlush();
            pixels.assign(p, p + size * size);
            for (uint32_t& px : pixels) px &= 0x00FFFFFF;  // the alpha byte is the drawing's business
        }
        ::SelectObject(dc, old);
    }
    if (bitmap) ::DeleteObject(bitmap);
    if (dc) ::DeleteDC(dc);
    return pixels;
}

// The width of an icon's image; 0 for a handle this process cannot read.
inline int IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return 0;
    BITMAP bm{};
    ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return bm.bmWidth;
}

}  // namespace icon_test
