// Labels: "Static" children whose text the layer draws itself, with the
// colours, alignment and word wrap of the unit.
#include <windows.h>

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

}  // namespace rt::detail
