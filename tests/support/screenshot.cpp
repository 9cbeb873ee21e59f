// Whole-screen screenshots as 24-bit .bmp files, for a person to look at
// after the run (the test scripts turn them into PNG).
#include "support/driver.h"

#include <cstdio>
#include <vector>

namespace e2e {

namespace {

Text ScreenshotDir() {
    Text dir = VELKORA_SCREENSHOT_DIR;
    for (char& c : dir)
        if (c == '/') c = '\\';
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

bool WriteAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return ::WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

Text ScreenshotPath(const Text& name) { return ScreenshotDir() + "\\" + name + ".bmp"; }

void Screenshot(const Text& name) {
    // Give the programs a moment to finish painting what the last input changed.
    ::Sleep(150);
    int width = ::GetSystemMetrics(SM_CXSCREEN);
    int height = ::GetSystemMetrics(SM_CYSCREEN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as .bmp stores rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);

    if (bitmap && bits) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
        ::GdiFlush();
        ::SelectObject(memory, old);

        BITMAPFILEHEADER header = {};
        header.bfType = 0x4D42;  // "BM"
        header.bfOffBits = sizeof header + sizeof info.bmiHeader;
        header.bfSize = header.bfOffBits + imageSize;
        info.bmiHeader.biSizeImage = imageSize;

        Text path = ScreenshotPath(name);
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            bool ok = WriteAll(file, &header, sizeof header) && WriteAll(file, &info.bmiHeader, sizeof info.bmiHeader) &&
                      WriteAll(file, bits, imageSize);
            ::CloseHandle(file);
            if (!ok) std::fprintf(stderr, "e2e: screenshot %s incomplete\n", path.c_str());
        } else {
            std::fprintf(stderr, "e2e: cannot write screenshot %s (error %lu)\n", path.c_str(),
                         static_cast<unsigned long>(::GetLastError()));
        }
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace e2e
