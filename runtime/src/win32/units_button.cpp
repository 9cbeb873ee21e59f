// Super buttons (colours per state, white caption, tooltip) and graphic
// buttons (three bitmaps), both owner-drawn BUTTON children.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "window_internal.h"

namespace rt::detail {
namespace {

HWND CreateTooltipWindow(HWND owner) {
    EnsureCommonControls();
    return ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, Instance(), nullptr);
}

void DrawSuperButton(Unit* u, const DRAWITEMSTRUCT* di) {
    uint32_t color = u->backColor;
    if ((di->itemState & ODS_FOCUS) && u->focusColor != kNoColor) color = u->focusColor;
    if ((u->hot || (di->itemState & ODS_SELECTED)) && u->hotColor != kNoColor) color = u->hotColor;
    if (color == kNoColor) color = ::GetSysColor(COLOR_BTNFACE);
    RECT r = di->rcItem;
    ScopedBrush brush(::CreateSolidBrush(color));
    ::FillRect(di->hDC, &r, brush.Get());
    Text caption = WindowTextOf(di->hwndItem);
    ScopedSelect font(di->hDC, u->hfont.Get());
    ::SetBkMode(di->hDC, TRANSPARENT);
    ::SetTextColor(di->hDC, u->textColor == kNoColor ? kWhite : u->textColor);
    ::DrawTextA(di->hDC, caption.c_str(), static_cast<int>(caption.size()), &r,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawGraphicButton(Window* w, Unit* u, const DRAWITEMSTRUCT* di) {
    int state = (di->itemState & ODS_SELECTED) ? 2 : u->hot ? 1 : 0;
    HBITMAP bmp = u->images[state].Get();
    if (!bmp) bmp = u->images[0].Get();
    RECT r = di->rcItem;
    if (!bmp) {
        ScopedBrush brush(::CreateSolidBrush(ContainerBackColor(w, u)));
        ::FillRect(di->hDC, &r, brush.Get());
        return;
    }
    BITMAP info{};
    ::GetObjectA(bmp, sizeof info, &info);
    ScopedMemDC mem(di->hDC);
    ScopedSelect sel(mem.Get(), bmp);
    ::StretchBlt(di->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, mem.Get(), 0, 0,
                 info.bmWidth, info.bmHeight, SRCCOPY);
}

}  // namespace

bool DrawOwnerDrawn(Window* w, const DRAWITEMSTRUCT* di) {
    Unit* u = w->FindUnitByHwnd(di->hwndItem);
    if (!u) return false;
    if (u->tpl.kind == UnitKind::SuperButton) DrawSuperButton(u, di);
    else if (u->tpl.kind == UnitKind::GraphicButton) DrawGraphicButton(w, u, di);
    else return false;
    return true;
}

// A bitmap from the bytes of a .bmp file; nullptr for anything malformed.
HBITMAP BitmapFromFile(const ByteSet& bytes) {
    if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPFILEHEADER fh;
    std::memcpy(&fh, bytes.data(), sizeof fh);
    if (fh.bfType != 0x4D42 || fh.bfOffBits >= bytes.size()) return nullptr;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof fh);
    BITMAPINFOHEADER ih;
    std::memcpy(&ih, info, sizeof ih);
    if (ih.biSize < sizeof ih || ih.biWidth <= 0 || ih.biHeight == 0 || ih.biBitCount == 0) return nullptr;
    if (sizeof fh + ih.biSize > bytes.size()) return nullptr;
    if (ih.biCompression == BI_RGB) {
        uint64_t stride = ((static_cast<uint64_t>(ih.biWidth) * ih.biBitCount + 31) / 32) * 4;
        uint64_t rows = ih.biHeight < 0 ? -static_cast<int64_t>(ih.biHeight) : ih.biHeight;
        if (stride * rows > bytes.size() - fh.bfOffBits) return nullptr;
    }
    ScopedGetDC screen(nullptr);
    return ::CreateDIBitmap(screen.Get(), &info->bmiHeader, CBM_INIT, bytes.data() + fh.bfOffBits, info,
                            DIB_RGB_COLORS);
}

void SetButtonImage(Unit* u, int which, const ByteSet& bytes) {
    if (which < 0 || which > 2) return;
    u->imageBytes[which] = bytes;
    u->images[which].Reset(BitmapFromFile(bytes));
    if (u->hwnd) {
        ::InvalidateRect(u->hwnd, nullptr, FALSE);
        ::UpdateWindow(u->hwnd);
    }
}

void SetTooltip(Window* w, Unit* u, const Text& text) {
    u->tooltip = text;
    if (!u->hwnd) return;
    // Made with the first tip: most windows have none, and it is a window
    // of its own to make. Owned by the window, it goes with it.
    if (!w->tooltip && !text.empty()) w->tooltip = CreateTooltipWindow(w->hwnd);
    if (!w->tooltip) return;
    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = w->hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(u->hwnd);
    // The query copies the old text out, so it gets a buffer of its own.
    char old[1024] = {};
    ti.lpszText = old;
    if (::SendMessageA(w->tooltip, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti))) {
        ti.lpszText = const_cast<char*>(u->tooltip.c_str());
        ::SendMessageA(w->tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
    } else {
        ti.lpszText = const_cast<char*>(u->tooltip.c_str());
        ::SendMessageA(w->tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
}

// Hot tracking for the hover colour; a quick second click counts as a
// click; the owner drawing paints the whole face, so nothing is erased.
bool ButtonMessage(Unit* u, UINT* msg, LRESULT* result) {
    switch (*msg) {
    case WM_MOUSEMOVE:
        if (!u->hot) {
            u->hot = true;
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, u->hwnd, 0};
            ::TrackMouseEvent(&tme);
            ::InvalidateRect(u->hwnd, nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        u->hot = false;
        ::InvalidateRect(u->hwnd, nullptr, FALSE);
        break;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button turns a quick second click into
        // BN_DOUBLECLICKED; users mean two clicks.
        *msg = WM_LBUTTONDOWN;
        break;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    default:
        break;
    }
    return false;
}

}  // namespace rt::detail
