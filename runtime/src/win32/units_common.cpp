// What every unit kind shares: creation, fonts, colours, visibility and the
// subclass that gives every child control Esc, dragging and hot tracking.
#include <windows.h>
#include <commctrl.h>

#include "window_internal.h"

namespace rt::detail {
namespace {

constexpr int kDefaultHeight = -12;
// The drop-down part of a combo box is part of its window height.
constexpr int kComboDropHeight = 200;

std::vector<Text> SplitLines(const Text& text) {
    std::vector<Text> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    for (;;) {
        size_t nl = text.find('\n', start);
        Text line = text.substr(start, nl == Text::npos ? Text::npos : nl - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        if (nl == Text::npos) break;
        start = nl + 1;
    }
    return lines;
}

struct ClassAndStyle {
    const char* cls;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle StyleFor(const UnitTemplate& t) {
    DWORD common = WS_CHILD | WS_CLIPSIBLINGS;
    if (t.flags & kDisabled) common |= WS_DISABLED;
    if (t.flags & kTabStop) common |= WS_TABSTOP;
    switch (t.kind) {
    case UnitKind::Label:
    case UnitKind::TransparentLabel:
        // SS_NOTIFY: the label takes its own mouse input (drag, double-click).
        return {"Static", common | SS_NOTIFY | SS_LEFT, 0};
    case UnitKind::EditBox: {
        DWORD s = common | ES_AUTOHSCROLL;
        if (t.flags & kMultiLine) s = (s & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
        if (t.flags & kVScroll) s |= WS_VSCROLL;
        if (t.flags & kReadOnly) s |= ES_READONLY;
        if (t.flags & kEditCenter) s |= ES_CENTER;
        if (t.flags & kBorder) s |= WS_BORDER;
        return {"Edit", s, 0};
    }
    case UnitKind::ListBox:
        return {"ListBox", common | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 0};
    case UnitKind::ComboBox:
        return {"ComboBox", common | CBS_DROPDOWNLIST | WS_VSCROLL, 0};
    case UnitKind::TabControl:
        // Its page tabs are hidden and only the window's own buttons switch
        // pages: the control never takes the focus (the arrow keys would
        // switch pages behind the buttons' backs).
        return {WC_TABCONTROLA, (common & ~WS_TABSTOP) | TCS_FOCUSNEVER, 0};
    case UnitKind::SuperButton:
    case UnitKind::GraphicButton:
        return {"Button", common | BS_OWNERDRAW, 0};
    case UnitKind::Timer:
        break;
    }
    return {nullptr, 0, 0};
}

void FillItems(Unit* u) {
    std::vector<Text> items = SplitLines(u->tpl.text);
    switch (u->tpl.kind) {
    case UnitKind::ListBox:
        for (size_t i = 0; i < items.size(); ++i) {
            LRESULT at = ::SendMessageA(u->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i].c_str()));
            int32_t data = i < u->tpl.itemData.size() ? u->tpl.itemData[i] : 0;
            ::SendMessageA(u->hwnd, LB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(data));
        }
        ::SendMessageA(u->hwnd, LB_SETCURSEL, static_cast<WPARAM>(u->tpl.currentItem), 0);
        break;
    case UnitKind::ComboBox:
        for (const Text& item : items)
            ::SendMessageA(u->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        ::SendMessageA(u->hwnd, CB_SETCURSEL, static_cast<WPARAM>(u->tpl.currentItem), 0);
        break;
    case UnitKind::TabControl:
        for (size_t i = 0; i < items.size(); ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(items[i].c_str());
            ::SendMessageA(u->hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
        ::SendMessageA(u->hwnd, TCM_SETCURSEL, static_cast<WPARAM>(u->currentPage), 0);
        break;
    default:
        break;
    }
}

// Shown when its own flag says so and, on a page, while that page is on show.
bool UnitShown(Window* w, const Unit* u) {
    if (!u->visibleFlag || u->tpl.container == 0) return u->visibleFlag;
    const Unit* tab = w->FindUnit(u->tpl.container);
    return tab && tab->currentPage == u->tpl.page && tab->visibleFlag;
}

bool TypedCharacterRefused(Unit* u, WPARAM ch) {
    if (u->tpl.kind != UnitKind::EditBox || !(u->tpl.flags & kDigitsAndMinus)) return false;
    if (ch < 0x20) return false;  // Backspace, Ctrl+C/V/X and the like
    return !((ch >= '0' && ch <= '9') || ch == '-');
}

bool EscapeBelongsToControl(Unit* u) {
    return u->tpl.kind == UnitKind::ComboBox && ::SendMessageA(u->hwnd, CB_GETDROPPEDSTATE, 0, 0);
}

}  // namespace

bool IsLabelKind(UnitKind k) { return k == UnitKind::Label || k == UnitKind::TransparentLabel; }

POINT ContainerOffset(Window* w, const Unit* u) {
    if (u->tpl.container == 0) return {0, 0};
    Unit* c = w->FindUnit(u->tpl.container);
    if (!c) return {0, 0};
    return {c->tpl.left, c->tpl.top};
}

HFONT MakeFont(const FontSpec& spec, const FontSpec& windowDefault) {
    FontSpec f = spec;
    if (!f.face) {
        f = windowDefault.face ? windowDefault : FontSpec{kDefaultFace, kDefaultHeight, 400, false, 134};
        f.underline = f.underline || spec.underline;
    }
    return ::CreateFontA(f.height, 0, 0, 0, f.weight, FALSE, f.underline ? TRUE : FALSE, FALSE,
                         static_cast<DWORD>(f.charset), OUT_STROKE_PRECIS, CLIP_STROKE_PRECIS,
                         DRAFT_QUALITY, VARIABLE_PITCH | FF_SWISS, f.face);
}

void SetUnitFont(Unit* u, const FontSpec& spec) {
    FontSpec f = spec;
    if (!f.face) {
        const FontSpec& d = u->window->tpl.defaultFont;
        f = d.face ? d : FontSpec{kDefaultFace, kDefaultHeight, 400, false, 134};
        f.underline = f.underline || spec.underline;
    }
    u->fontFace = f.face;
    f.face = u->fontFace.c_str();
    u->font = f;
    u->hfont.Reset(MakeFont(f, f));
    if (u->hwnd) ::SendMessageA(u->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(u->hfont.Get()), TRUE);
}

void SetUnitBackColor(Unit* u, uint32_t color) {
    u->backColor = color;
    u->backBrush.Reset(color == kNoColor ? nullptr : ::CreateSolidBrush(color));
}

uint32_t ContainerBackColor(Window* w, const Unit* u) {
    if (u->tpl.container != 0) {
        if (Unit* c = w->FindUnit(u->tpl.container); c && c->backColor != kNoColor) return c->backColor;
    }
    return w->tpl.backColor != kNoColor ? w->tpl.backColor : ::GetSysColor(COLOR_BTNFACE);
}

void PrepareUnit(Unit* u) {
    const UnitTemplate& t = u->tpl;
    u->visibleFlag = (t.flags & kVisible) != 0;
    u->left = t.left;
    u->top = t.top;
    u->width = t.width;
    u->height = t.height;
    u->textColor = t.textColor;
    u->hotColor = t.hotColor;
    u->focusColor = t.focusColor;
    u->tooltip = t.tooltip;
    u->hAlign = (t.flags & kAlignRight) ? 2 : (t.flags & kAlignCenter) ? 1 : 0;
    u->vAlign = (t.flags & kVAlignTop) ? 0 : (t.flags & kVAlignBottom) ? 2 : 1;
    u->wordWrap = (t.flags & kWordWrap) != 0;
    SetUnitBackColor(u, t.backColor);
    if (t.kind == UnitKind::Timer) u->interval = t.interval < 0 ? 0 : t.interval;
    // Known before any control is made: which page units are shown, or made
    // at all, depends on it.
    if (t.kind == UnitKind::TabControl) u->currentPage = t.currentItem < 0 ? 0 : t.currentItem;
}

HWND CreateUnitWindow(Window* w, Unit* u) {
    const UnitTemplate& t = u->tpl;
    if (t.kind == UnitKind::Timer) return nullptr;

    ClassAndStyle cs = StyleFor(t);
    POINT off = ContainerOffset(w, u);
    int height = t.kind == UnitKind::ComboBox ? t.height + kComboDropHeight : t.height;
    const char* text = (t.kind == UnitKind::ListBox || t.kind == UnitKind::ComboBox ||
                        t.kind == UnitKind::TabControl) ? "" : t.text.c_str();
    // Made visible, when it will be shown, rather than shown afterwards: one
    // call less for each control at start.
    if (UnitShown(w, u)) cs.style |= WS_VISIBLE;
    if (t.kind == UnitKind::TabControl) EnsureCommonControls();
    u->hwnd = ::CreateWindowExA(cs.exStyle, cs.cls, text, cs.style, t.left + off.x, t.top + off.y,
                                t.width, height, w->hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(t.id)), Instance(), nullptr);
    if (!u->hwnd) return nullptr;
    ::SetWindowLongPtrA(u->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(u));
    u->baseProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(u->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(UnitSubclassProc)));
    SetUnitFont(u, t.font);
    if (t.kind == UnitKind::EditBox && t.maxLength > 0)
        ::SendMessageA(u->hwnd, EM_LIMITTEXT, static_cast<WPARAM>(t.maxLength), 0);
    FillItems(u);
    if (t.kind == UnitKind::GraphicButton) {
        for (int i = 0; i < 3; ++i)
            if (t.images[i]) SetButtonImage(u, i, *t.images[i]);
    }
    if (t.kind == UnitKind::SuperButton && !t.tooltip.empty()) SetTooltip(w, u, t.tooltip);
    return u->hwnd;
}

bool OnPageNotShown(Window* w, const Unit* u) {
    if (u->tpl.kind == UnitKind::Timer || u->tpl.container == 0) return false;
    const Unit* tab = w->FindUnit(u->tpl.container);
    return tab && tab->tpl.kind == UnitKind::TabControl && tab->currentPage != u->tpl.page;
}

void CreateDeferredUnits(Window* w) {
    if (!w->hasDeferred) return;
    w->hasDeferred = false;
    // No unit events while the controls are made, as at the window's creation.
    const bool ready = w->ready;
    w->ready = false;
    for (size_t i = w->units.size(); i-- > 0;) {
        Unit* u = w->units[i].get();
        if (!u->deferred) continue;
        u->deferred = false;
        if (!CreateUnitWindow(w, u)) continue;
        // Later rows lie above earlier ones: just beneath the nearest later
        // row that has its control.
        HWND above = HWND_TOP;
        for (size_t j = i + 1; j < w->units.size(); ++j) {
            if (w->units[j]->hwnd) {
                above = w->units[j]->hwnd;
                break;
            }
        }
        ::SetWindowPos(u->hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    w->ready = ready;
}

void ApplyUnitVisibility(Window* w, Unit* u) {
    if (u->hwnd) ::ShowWindow(u->hwnd, UnitShown(w, u) ? SW_SHOWNA : SW_HIDE);
}

LRESULT CtlColor(Window* w, HDC dc, HWND control, bool* handled) {
    Unit* u = w->FindUnitByHwnd(control);
    *handled = false;
    if (!u) return 0;
    if (u->textColor != kNoColor) ::SetTextColor(dc, u->textColor);
    if (u->backColor == kNoColor) {
        if (u->textColor == kNoColor) return 0;
        *handled = true;
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    ::SetBkColor(dc, u->backColor);
    *handled = true;
    return reinterpret_cast<LRESULT>(u->backBrush.Get());
}

LRESULT CALLBACK UnitSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* u = reinterpret_cast<Unit*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!u) return ::DefWindowProcA(hwnd, msg, wp, lp);
    WNDPROC base = u->baseProc;
    Window* w = u->window;
    std::shared_ptr<Window> keep = w->shared_from_this();
    const UnitKind kind = u->tpl.kind;

    switch (msg) {
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(base));
        return ::CallWindowProcA(base, hwnd, msg, wp, lp);
    case WM_KEYDOWN:
        // Esc works whichever loop pumps: no dialog manager is involved.
        if (wp == VK_ESCAPE && !EscapeBelongsToControl(u) && HandleEscape(w, msg, wp)) return 0;
        break;
    case WM_CHAR:
        if (TypedCharacterRefused(u, wp)) return 0;
        break;
    case WM_SETFOCUS:
        if (kind != UnitKind::TabControl) w->lastFocus = hwnd;
        break;
    default:
        break;
    }

    // What each kind does differently lives beside its painting.
    LRESULT result = 0;
    bool handled = false;
    if (IsLabelKind(kind)) handled = LabelMessage(w, u, msg, wp, lp, &result);
    else if (kind == UnitKind::SuperButton || kind == UnitKind::GraphicButton) handled = ButtonMessage(u, &msg, &result);
    else if (kind == UnitKind::TabControl) handled = TabMessage(w, u, msg, wp, &result);
    if (handled) return result;
    return ::CallWindowProcA(base, hwnd, msg, wp, lp);
}

}  // namespace rt::detail
