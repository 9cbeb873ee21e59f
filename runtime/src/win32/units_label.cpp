// Labels: "Static" children whose text the layer draws itself, with the
// colours, alignment and word wrap of the unit.
#include <windows.h>
#include <windowsx.h>

#include "window_internal.h"

namespace rt::detail {

namespace {

UINT DrawFlags(const Unit* u) {
    UINT flags = DT_NOCLIP | DT_NOPREFIX;
    flags |= u->hAlign == 1 ? DT_CENTER : u->hAlign == 2 ? DT_RIGHT : DT_LEFT;
    if (u->wordWrap) return flags | DT_WORDBREAK;  // from the top; vertical alignment has no effect
    flags |= DT_SINGLELINE;
    flags |= u->vAlign == 0 ? DT_TOP : u->vAlign == 2 ? DT_BOTTOM : DT_VCENTER;
    return flags;
}

// A transparent label shows what lies beneath it: its container's colour.
uint32_t LabelBack(Window* w, const Unit* u) {
    return (u->tpl.kind == UnitKind::TransparentLabel || u->backColor == kNoColor) ? ContainerBackColor(w, u)
                                                                                    : u->backColor;
}

void DrawLabelText(Unit* u, HDC dc, RECT r) {
    Text text = WindowTextOf(u->hwnd);
    if (text.empty()) return;
    ScopedSelect font(dc, u->hfont.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, u->textColor == kNoColor ? kBlack : u->textColor);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags(u));
}

}  // namespace

void PaintLabel(Window* w, Unit* u, HDC dc) {
    RECT r;
    ::GetClientRect(u->hwnd, &r);
    ScopedBrush brush(::CreateSolidBrush(LabelBack(w, u)));
    ::FillRect(dc, &r, brush.Get());
    // Labels overlap (the clock's colons sit over its digits): what a label
    // beneath shows through ours is drawn again, so neither cuts the other.
    RECT mine;
    ::GetWindowRect(u->hwnd, &mine);
    for (auto& other : w->units) {
        if (other.get() == u) break;  // only the rows beneath this one
        if (!IsLabelKind(other->tpl.kind) || !other->hwnd || !::IsWindowVisible(other->hwnd)) continue;
        RECT theirs, overlap;
        ::GetWindowRect(other->hwnd, &theirs);
        if (!::IntersectRect(&overlap, &mine, &theirs)) continue;
        RECT at = theirs;
        ::OffsetRect(&at, -mine.left, -mine.top);
        int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        if (LabelBack(w, other.get()) != LabelBack(w, u)) {
            ScopedBrush theirBrush(::CreateSolidBrush(LabelBack(w, other.get())));
            RECT fill;
            ::IntersectRect(&fill, &at, &r);
            ::FillRect(dc, &fill, theirBrush.Get());
        }
        DrawLabelText(other.get(), dc, at);
        ::RestoreDC(dc, saved);
    }
    DrawLabelText(u, dc, r);
}

void InvalidateLabelsAbove(Window* w, Unit* u) {
    RECT mine;
    ::GetWindowRect(u->hwnd, &mine);
    bool above = false;
    for (auto& other : w->units) {
        if (other.get() == u) {
            above = true;
            continue;
        }
        if (!above || !IsLabelKind(other->tpl.kind) || !other->hwnd) continue;
        RECT theirs, overlap;
        ::GetWindowRect(other->hwnd, &theirs);
        if (::IntersectRect(&overlap, &mine, &theirs)) ::InvalidateRect(other->hwnd, nullptr, TRUE);
    }
}

// A label draws itself and lets the window be dragged by it; its
// double-click is its own event, not the window surface's.
bool LabelMessage(Window* w, Unit* u, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    HWND hwnd = u->hwnd;
    *result = 0;
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        PaintLabel(w, u, dc);
        ::EndPaint(hwnd, &ps);
        return true;
    }
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_SETTEXT:
        // The static control would paint its own look at once; we only
        // store the text and repaint in ours.
        *result = ::DefWindowProcA(hwnd, msg, wp, lp);
        ::InvalidateRect(hwnd, nullptr, TRUE);
        InvalidateLabelsAbove(w, u);
        return true;
    case WM_ENABLE:
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return true;
    case WM_LBUTTONDOWN:
        BeginDrag(w, hwnd);
        return true;
    case WM_MOUSEMOVE:
        ContinueDrag(w, hwnd);
        return true;
    case WM_LBUTTONUP:
        EndDrag(w, hwnd);
        return true;
    case WM_CAPTURECHANGED:
        if (w->dragCapture == hwnd) w->dragCapture = nullptr;
        return true;
    case WM_LBUTTONDBLCLK:
        RaiseDoubleClick(w, u->tpl.id, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), KeyStateBits(wp));
        return true;
    default:
        return false;
    }
}

}  // namespace rt::detail
