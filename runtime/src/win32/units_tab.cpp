// Tab controls: page units are the window's own children placed at the tab
// control's offset, shown only while their page is current.
#include <windows.h>
#include <commctrl.h>

#include "window_internal.h"

namespace rt::detail {

void ShowTabPage(Window* w, Unit* tab, int page) {
    int count = static_cast<int>(::SendMessageA(tab->hwnd, TCM_GETITEMCOUNT, 0, 0));
    if (page < 0 || (count > 0 && page >= count)) return;
    if (page != tab->currentPage) CreateDeferredUnits(w);
    tab->currentPage = page;
    if (static_cast<int>(::SendMessageA(tab->hwnd, TCM_GETCURSEL, 0, 0)) != page)
        ::SendMessageA(tab->hwnd, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (auto& u : w->units)
        if (u->tpl.container == tab->tpl.id) ApplyUnitVisibility(w, u.get());
}

// The tab control is a page container here: its page tabs are hidden and the
// window's own buttons switch pages, so it shows only its background, takes
// no presses and never keeps the focus (the arrow keys would switch pages).
bool TabMessage(Window* w, Unit* u, UINT msg, WPARAM wp, LRESULT* result) {
    HWND hwnd = u->hwnd;
    *result = 0;
    switch (msg) {
    case WM_SETFOCUS: {
        // Handed straight back to where it came from (or to the window).
        HWND from = reinterpret_cast<HWND>(wp);
        ::SetFocus(from != hwnd && ::IsChild(w->hwnd, from) ? from : w->hwnd);
        return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_KEYDOWN:
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        RECT r;
        ::GetClientRect(hwnd, &r);
        ScopedBrush brush(::CreateSolidBrush(u->backColor != kNoColor ? u->backColor : ContainerBackColor(w, u)));
        ::FillRect(dc, &r, brush.Get());
        ::EndPaint(hwnd, &ps);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace rt::detail
