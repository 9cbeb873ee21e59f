// Properties of windows and units, read and written by number.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "rt/window.h"
#include "window_internal.h"

namespace rt {
namespace {

using detail::Unit;
using detail::Window;

RECT RectIn(Window* w, Unit* u) {
    RECT r{u->left, u->top, u->left + u->width, u->top + u->height};
    if (!u->hwnd) return r;
    ::GetWindowRect(u->hwnd, &r);
    ::MapWindowPoints(HWND_DESKTOP, w->hwnd, reinterpret_cast<POINT*>(&r), 2);
    POINT off = detail::ContainerOffset(w, u);
    ::OffsetRect(&r, -off.x, -off.y);
    if (u->tpl.kind == UnitKind::ComboBox) r.bottom = r.top + u->height;
    return r;
}

int32_t WindowState(HWND h) { return ::IsIconic(h) ? 2 : ::IsZoomed(h) ? 3 : 0; }

void CentreOnScreen(HWND h) {
    RECT r;
    ::GetWindowRect(h, &r);
    int x = (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (::GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    ::SetWindowPos(h, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Text ComboSelectedText(HWND h) {
    LRESULT i = ::SendMessageA(h, CB_GETCURSEL, 0, 0);
    if (i < 0) return Text();
    LRESULT n = ::SendMessageA(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (n <= 0) return Text();
    Text t(static_cast<size_t>(n) + 1, '\0');
    ::SendMessageA(h, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&t[0]));
    t.resize(std::char_traits<char>::length(t.c_str()));
    return t;
}

// ---- reading ----

PropertyValue GetWindowProperty(Window* w, int index) {
    HWND h = w->hwnd;
    RECT r{};
    if (h) ::GetWindowRect(h, &r);
    switch (index) {
    case kPropLeft: return int32_t(r.left);
    case kPropTop: return int32_t(r.top);
    case kPropWidth: return int32_t(r.right - r.left);
    case kPropHeight: return int32_t(r.bottom - r.top);
    case kPropVisible: return int32_t(h && ::IsWindowVisible(h) ? 1 : 0);
    case kPropDisabled: return int32_t(h && !::IsWindowEnabled(h) ? 1 : 0);
    case kPropText: return h ? detail::WindowTextOf(h) : w->tpl.title;
    case kPropPosition: return h ? WindowState(h) : int32_t(0);
    case kPropShowInTaskbar: return int32_t(w->showInTaskbar ? 1 : 0);
    case kPropTopMost: return int32_t(w->topMost ? 1 : 0);
    default: return int32_t(0);
    }
}

PropertyValue GetUnitValue(Window* w, Unit* u, int index) {
    const UnitKind k = u->tpl.kind;
    HWND h = u->hwnd;
    switch (index) {
    case kPropLeft: return int32_t(RectIn(w, u).left);
    case kPropTop: return int32_t(RectIn(w, u).top);
    case kPropWidth: { RECT r = RectIn(w, u); return int32_t(r.right - r.left); }
    case kPropHeight: { RECT r = RectIn(w, u); return int32_t(r.bottom - r.top); }
    case kPropTag: return u->tag;
    case kPropVisible: return int32_t(u->visibleFlag ? 1 : 0);
    case kPropDisabled: return int32_t(h && !::IsWindowEnabled(h) ? 1 : 0);
    default: break;
    }
    switch (k) {
    case UnitKind::Timer:
        if (index == kPropInterval) return int32_t(u->interval);
        break;
    case UnitKind::Label:
    case UnitKind::TransparentLabel:
        if (index == kPropText) return detail::WindowTextOf(h);
        if (index == kPropFontFace) return u->fontFace;
        if (index == kPropHAlign) return int32_t(u->hAlign);
        if (index == kPropWordWrap) return int32_t(u->wordWrap ? 1 : 0);
        if (index == kPropVAlign) return int32_t(u->vAlign);
        break;
    case UnitKind::ComboBox:
        if (index == kPropComboText) return ComboSelectedText(h);
        if (index == kPropComboIndex) return int32_t(::SendMessageA(h, CB_GETCURSEL, 0, 0));
        break;
    case UnitKind::ListBox:
        if (index == kPropListIndex) return int32_t(::SendMessageA(h, LB_GETCURSEL, 0, 0));
        break;
    case UnitKind::TabControl:
        if (index == kPropCurrentTab) return int32_t(u->currentPage);
        break;
    case UnitKind::SuperButton:
        if (index == kPropCaption) return detail::WindowTextOf(h);
        if (index == kPropTooltip) return u->tooltip;
        break;
    case UnitKind::GraphicButton:
        if (index >= kPropImageNormal && index <= kPropImagePressed) return u->imageBytes[index - kPropImageNormal];
        break;
    case UnitKind::EditBox:
        break;
    }
    if (index == kPropText && h) return detail::WindowTextOf(h);
    return int32_t(0);
}

// ---- writing ----

void SetTopMost(Window* w, bool on) {
    w->topMost = on;
    if (!w->hwnd) return;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    ::SetWindowPos(w->hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    if (on) return;
    // Dropping one window out of the topmost band must not drop the others.
    for (auto& other : detail::AllWindows()) {
        if (other.get() != w && other->topMost && other->hwnd)
            ::SetWindowPos(other->hwnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
    }
}

void SetPosition(Window* w, int32_t value) {
    HWND h = w->hwnd;
    if (!h || !::IsWindowVisible(h)) return;
    switch (value) {
    case 0: ::ShowWindow(h, SW_SHOWNORMAL); break;
    case 1:
        if (::IsIconic(h) || ::IsZoomed(h)) ::ShowWindow(h, SW_RESTORE);
        CentreOnScreen(h);
        break;
    case 2: ::ShowWindow(h, SW_MINIMIZE); break;
    case 3: ::ShowWindow(h, SW_MAXIMIZE); break;
    default: break;
    }
}

void SetWindowInt(Window* w, int index, int32_t value) {
    HWND h = w->hwnd;
    RECT r{};
    if (h) ::GetWindowRect(h, &r);
    const UINT move = SWP_NOZORDER | SWP_NOACTIVATE;
    switch (index) {
    case kPropLeft: if (h) ::SetWindowPos(h, nullptr, value, r.top, 0, 0, move | SWP_NOSIZE); break;
    case kPropTop: if (h) ::SetWindowPos(h, nullptr, r.left, value, 0, 0, move | SWP_NOSIZE); break;
    case kPropWidth: if (h) ::SetWindowPos(h, nullptr, 0, 0, value, r.bottom - r.top, move | SWP_NOMOVE); break;
    case kPropHeight: if (h) ::SetWindowPos(h, nullptr, 0, 0, r.right - r.left, value, move | SWP_NOMOVE); break;
    case kPropVisible:
        if (!h) break;
        if (!value) ::ShowWindow(h, SW_HIDE);
        else if (!::IsWindowVisible(h)) ShowAndActivate(w);
        break;
    case kPropDisabled: if (h) ::EnableWindow(h, value ? FALSE : TRUE); break;
    case kPropPosition: SetPosition(w, value); break;
    case kPropShowInTaskbar: w->showInTaskbar = value != 0; break;  // no effect on the window
    case kPropTopMost: SetTopMost(w, value != 0); break;
    default: break;
    }
}

void SetUnitBounds(Window* w, Unit* u, int index, int32_t value) {
    RECT r = RectIn(w, u);
    int x = r.left, y = r.top, cx = r.right - r.left, cy = r.bottom - r.top;
    if (index == kPropLeft) x = value;
    if (index == kPropTop) y = value;
    if (index == kPropWidth) cx = value;
    if (index == kPropHeight) cy = value;
    u->left = x; u->top = y; u->width = cx; u->height = cy;
    if (!u->hwnd) return;
    POINT off = detail::ContainerOffset(w, u);
    int realHeight = u->tpl.kind == UnitKind::ComboBox ? cy + 200 : cy;
    ::SetWindowPos(u->hwnd, nullptr, x + off.x, y + off.y, cx, realHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ReplaceFace(Unit* u, const Text& face) {
    FontSpec f = u->font;
    // 1 to 31 bytes is a face name (LF_FACESIZE less its NUL); anything else
    // falls back to the default face.
    Text chosen = (!face.empty() && face.size() <= 31) ? face : Text(detail::kDefaultFace);
    f.face = chosen.c_str();
    detail::SetUnitFont(u, f);
    if (u->hwnd) ::InvalidateRect(u->hwnd, nullptr, TRUE);
}

void SetUnitInt(Window* w, Unit* u, int index, int32_t value) {
    HWND h = u->hwnd;
    switch (index) {
    case kPropLeft: case kPropTop: case kPropWidth: case kPropHeight:
        SetUnitBounds(w, u, index, value);
        return;
    case kPropVisible:
        u->visibleFlag = value != 0;
        detail::ApplyUnitVisibility(w, u);
        if (u->tpl.kind == UnitKind::TabControl) detail::ShowTabPage(w, u, u->currentPage);
        return;
    case kPropDisabled:
        if (h) ::EnableWindow(h, value ? FALSE : TRUE);
        return;
    default: break;
    }
    switch (u->tpl.kind) {
    case UnitKind::Timer:
        if (index == kPropInterval) detail::SetTimerInterval(w, u, value);
        return;
    case UnitKind::Label:
    case UnitKind::TransparentLabel:
        if (index == kPropHAlign && value >= 0 && value <= 2) u->hAlign = value;
        else if (index == kPropWordWrap) u->wordWrap = value != 0;
        else if (index == kPropVAlign && value >= 0 && value <= 2) u->vAlign = value;
        else if (index == kPropText) ::SetWindowTextA(h, std::to_string(value).c_str());
        else return;
        ::InvalidateRect(h, nullptr, TRUE);
        return;
    case UnitKind::ComboBox:
        if (index == kPropComboIndex) {
            int count = static_cast<int>(::SendMessageA(h, CB_GETCOUNT, 0, 0));
            int i = value < -1 ? -1 : value > count - 1 ? count - 1 : value;
            ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        }
        return;
    case UnitKind::ListBox:
        if (index == kPropListIndex) ::SendMessageA(h, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
        return;
    case UnitKind::TabControl:
        if (index == kPropCurrentTab) detail::ShowTabPage(w, u, value);
        return;
    default:
        if (index == kPropText && h) ::SetWindowTextA(h, std::to_string(value).c_str());
        return;
    }
}

void SetUnitTextValue(Window* w, Unit* u, int index, const Text& value) {
    HWND h = u->hwnd;
    if (index == kPropTag) {
        u->tag = value;
        return;
    }
    switch (u->tpl.kind) {
    case UnitKind::Label:
    case UnitKind::TransparentLabel:
        if (index == kPropText) ::SetWindowTextA(h, value.c_str());
        else if (index == kPropFontFace) ReplaceFace(u, value);
        return;
    case UnitKind::EditBox:
        if (index == kPropText) ::SetWindowTextA(h, value.c_str());
        return;
    case UnitKind::ComboBox:
        if (index == kPropComboText) {
            LRESULT i = ::SendMessageA(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(value.c_str()));
            ::SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        }
        return;
    case UnitKind::SuperButton:
        if (index == kPropCaption || index == kPropText) {
            ::SetWindowTextA(h, value.c_str());
            ::InvalidateRect(h, nullptr, FALSE);
        } else if (index == kPropTooltip) {
            detail::SetTooltip(w, u, value);
        }
        return;
    case UnitKind::Timer:
        if (index == kPropInterval) detail::SetTimerInterval(w, u, std::atoi(value.c_str()));
        return;
    default:
        if (index == kPropText && h) ::SetWindowTextA(h, value.c_str());
        else SetUnitInt(w, u, index, std::atoi(value.c_str()));
        return;
    }
}

// What a read of a window or unit that does not exist gives: absent texts
// read as "", and no current item is -1.
PropertyValue AbsentValue(int index) {
    switch (index) {
    case kPropTag: case kPropText: case kPropComboText: case kPropFontFace:
    case kPropCaption: case kPropTooltip:
        return Text();
    case kPropListIndex: case kPropComboIndex:
        return int32_t(-1);
    default:
        return int32_t(0);
    }
}

}  // namespace

PropertyValue GetUnitProperty(int window, int unit, int index) {
    PropertyValue result = AbsentValue(index);
    detail::WithUnit(window, unit, [&](Window* w, Unit* u) {
        result = u ? GetUnitValue(w, u, index) : GetWindowProperty(w, index);
    });
    return result;
}

int32_t GetUnitInt(int window, int unit, int index) {
    PropertyValue v = GetUnitProperty(window, unit, index);
    if (auto* i = std::get_if<int32_t>(&v)) return *i;
    if (auto* t = std::get_if<Text>(&v)) return std::atoi(t->c_str());
    return 0;
}

Text GetUnitText(int window, int unit, int index) {
    PropertyValue v = GetUnitProperty(window, unit, index);
    if (auto* t = std::get_if<Text>(&v)) return *t;
    if (auto* i = std::get_if<int32_t>(&v)) return std::to_string(*i);
    return Text();
}

void SetUnitProperty(int window, int unit, int index, int32_t value) {
    detail::WithUnit(window, unit, [&](Window* w, Unit* u) {
        if (u) SetUnitInt(w, u, index, value);
        else SetWindowInt(w, index, value);
    });
}

void SetUnitProperty(int window, int unit, int index, const Text& value) {
    detail::WithUnit(window, unit, [&](Window* w, Unit* u) {
        if (u) {
            SetUnitTextValue(w, u, index, value);
        } else if (index == kPropText) {
            if (w->hwnd) ::SetWindowTextA(w->hwnd, value.c_str());
        } else if (index != kPropTag) {
            SetWindowInt(w, index, std::atoi(value.c_str()));
        }
    });
}

void SetUnitProperty(int window, int unit, int index, const char* value) {
    SetUnitProperty(window, unit, index, Text(value ? value : ""));
}

void SetUnitProperty(int window, int unit, int index, const ByteSet& value) {
    detail::WithUnit(window, unit, [&](Window*, Unit* u) {
        if (u && u->tpl.kind == UnitKind::GraphicButton && index >= kPropImageNormal &&
            index <= kPropImagePressed)
            detail::SetButtonImage(u, index - kPropImageNormal, value);
    });
}

int32_t ListItemData(int window, int unit, int index) {
    int32_t result = -1;
    detail::WithUnit(window, unit, [&](Window*, Unit* u) {
        if (!u || !u->hwnd || u->tpl.kind != UnitKind::ListBox) return;
        int count = static_cast<int>(::SendMessageA(u->hwnd, LB_GETCOUNT, 0, 0));
        if (index < 0 || index >= count) return;
        result = static_cast<int32_t>(::SendMessageA(u->hwnd, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    });
    return result;
}

void EditAppendText(int window, int unit, std::initializer_list<Text> texts) {
    Text joined;
    for (const Text& t : texts) joined += t;
    detail::WithUnit(window, unit, [&](Window*, Unit* u) {
        if (!u || !u->hwnd) return;
        int len = ::GetWindowTextLengthA(u->hwnd);
        ::SendMessageA(u->hwnd, EM_SETSEL, static_cast<WPARAM>(len), static_cast<LPARAM>(len));
        ::SendMessageA(u->hwnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(joined.c_str()));
        ::SendMessageA(u->hwnd, EM_SCROLLCARET, 0, 0);
    });
}

}  // namespace rt
