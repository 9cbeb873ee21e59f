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

}  // namespace

void PaintLabel(Window* w, Unit* u, HDC dc) {
    RECT r;
    ::GetClientRect(u->hwnd, &r);
    // A transparent label shows what lies beneath it: its container's colour.
    uint32_t back = (u->tpl.kind == UnitKind::TransparentLabel || u->backColor == kNoColor)
                        ? ContainerBackColor(w, u)
                        : u->backColor;
    ScopedBrush brush(::CreateSolidBrush(back));
    ::FillRect(dc, &r, brush.Get());
    Text text = WindowTextOf(u->hwnd);
    if (text.empty()) return;
    ScopedSelect font(dc, u->hfont.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, u->textColor == kNoColor ? kBlack : u->textColor);
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags(u));
}

}  // namespace rt::detail
