// Small move-only owners for Win32 handles and COM pointers.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace rt {

// Owner of any handle type with a close function; Invalid is the "none" value.
template <typename H, typename Traits>
class Scoped {
public:
    Scoped() = default;
    explicit Scoped(H h) : h_(h) {}
    ~Scoped() { Reset(); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;
    Scoped(Scoped&& o) noexcept : h_(o.Release()) {}
    Scoped& operator=(Scoped&& o) noexcept {
        if (this != &o) Reset(o.Release());
        return *this;
    }

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    H Release() { return std::exchange(h_, Traits::Invalid()); }
    void Reset(H h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }

private:
    H h_ = Traits::Invalid();
};

struct HandleTraits {  // kernel handles that use NULL for "none"
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile's INVALID_HANDLE_VALUE
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct RegKeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY k) { ::RegCloseKey(k); }
};
template <typename GdiObject>  // fonts, brushes, bitmaps
struct GdiObjectTraits {
    static GdiObject Invalid() { return nullptr; }
    static void Close(GdiObject o) { ::DeleteObject(o); }
};
struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE m) { ::FreeLibrary(m); }
};
struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON i) { ::DestroyIcon(i); }
};
struct FindTraits {  // FindFirstFile's search handle
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};

using ScopedHandle = Scoped<HANDLE, HandleTraits>;
using ScopedFile = Scoped<HANDLE, FileHandleTraits>;
using ScopedKey = Scoped<HKEY, RegKeyTraits>;
using ScopedFont = Scoped<HFONT, GdiObjectTraits<HFONT>>;
using ScopedBrush = Scoped<HBRUSH, GdiObjectTraits<HBRUSH>>;
using ScopedBitmap = Scoped<HBITMAP, GdiObjectTraits<HBITMAP>>;
using ScopedModule = Scoped<HMODULE, ModuleTraits>;
using ScopedIcon = Scoped<HICON, IconTraits>;
using ScopedFind = Scoped<HANDLE, FindTraits>;

// A device context borrowed with GetDC, given back with ReleaseDC.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~ScopedGetDC() { if (dc_) ::ReleaseDC(hwnd_, dc_); }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC Get() const { return dc_; }
private:
    HWND hwnd_;
    HDC dc_;
};

// A memory DC from CreateCompatibleDC.
class ScopedMemDC {
public:
    explicit ScopedMemDC(HDC like) : dc_(::CreateCompatibleDC(like)) {}
    ~ScopedMemDC() { if (dc_) ::DeleteDC(dc_); }
    ScopedMemDC(const ScopedMemDC&) = delete;
    ScopedMemDC& operator=(const ScopedMemDC&) = delete;
    HDC Get() const { return dc_; }
private:
    HDC dc_;
};

// Selects an object into a DC for the scope and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelect() { if (old_) ::SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
private:
    HDC dc_;
    HGDIOBJ old_;
};

// Move-only owner of a COM interface pointer.
template <typename T>
class ScopedCom {
public:
    ScopedCom() = default;
    explicit ScopedCom(T* p) : p_(p) {}
    ~ScopedCom() { Reset(); }
    ScopedCom(const ScopedCom&) = delete;
    ScopedCom& operator=(const ScopedCom&) = delete;
    ScopedCom(ScopedCom&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ScopedCom& operator=(ScopedCom&& o) noexcept {
        if (this != &o) { Reset(); p_ = std::exchange(o.p_, nullptr); }
        return *this;
    }
    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters of CoCreateInstance/QueryInterface.
    T** Put() { Reset(); return &p_; }
    void Reset() { if (p_) { p_->Release(); p_ = nullptr; } }
private:
    T* p_ = nullptr;
};

}  // namespace rt
