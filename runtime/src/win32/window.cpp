// Windows loaded from templates: creation, the event order, modal loading,
// closing, and the top-level window procedure.
#include "rt/window.h"

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "rt/program.h"
#include "window_internal.h"

namespace rt {
namespace {

using detail::Unit;
using detail::Window;

detail::CriticalSection g_lock;
std::map<int, std::shared_ptr<Window>> g_windows;
uint64_t g_nextSerial = 1;


void RemoveWindow(Window* w) {
    detail::ScopedLock l(g_lock);
    auto it = g_windows.find(w->number);
    if (it != g_windows.end() && it->second.get() == w) g_windows.erase(it);
}

bool StillOpen(int number, uint64_t serial) {
    detail::ScopedLock l(g_lock);
    auto it = g_windows.find(number);
    return it != g_windows.end() && it->second->serial == serial && it->second->hwnd;
}

void Activate(HWND hwnd) {
    ::SetForegroundWindow(hwnd);
    if (::GetActiveWindow() != hwnd) ::SetActiveWindow(hwnd);
}

// Close of a window whose close is pending, at once, on its own thread.
void DestroyNow(const std::shared_ptr<Window>& w) {
    detail::OnWindowThread(w, [&] {
        if (w->hwnd) ::DestroyWindow(w->hwnd);
    });
}

// The layer's other windows that a modal window disables while it runs.
std::vector<HWND> DisableOthers(HWND except) {
    std::vector<HWND> disabled;
    for (auto& other : detail::AllWindows()) {
        HWND h = other->hwnd;
        if (h && h != except && ::IsWindowEnabled(h)) {
            ::EnableWindow(h, FALSE);
            disabled.push_back(h);
        }
    }
    return disabled;
}

void RunModalLoop(int number, uint64_t serial) {
    MSG msg;
    while (StillOpen(number, serial)) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The quit belongs to the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void ReportGeometry(Window* w, bool force) {
    if (!w->hwnd) return;
    RECT r;
    ::GetWindowRect(w->hwnd, &r);
    int state = ::IsIconic(w->hwnd) ? 2 : ::IsZoomed(w->hwnd) ? 3 : 0;
    bool moved = force || r.left != w->lastPos.x || r.top != w->lastPos.y;
    bool sized = force || r.right - r.left != w->lastSize.cx || r.bottom - r.top != w->lastSize.cy ||
                 state != w->lastState;
    w->lastPos = {r.left, r.top};
    w->lastSize = {r.right - r.left, r.bottom - r.top};
    w->lastState = state;
    if (moved) detail::Raise(w, 0, kEvMoved);
    if (sized && w->hwnd) detail::Raise(w, 0, kEvResized);
}

std::shared_ptr<Window> Create(const WindowTemplate& tpl, HWND parent) {
    detail::EnsureClasses();
    auto w = std::make_shared<Window>();
    w->number = tpl.number;
    w->tpl = tpl;
    w->topMost = (tpl.attributes & kWinTopMost) != 0;
    // Always from the template: a flag recorded for an earlier opening of
    // this window died with it.
    w->showInTaskbar = (tpl.attributes & kWinShowInTaskbar) != 0;
    if (tpl.backColor != kNoColor) w->backBrush.Reset(::CreateSolidBrush(tpl.backColor));
    {
        detail::ScopedLock l(g_lock);
        w->serial = g_nextSerial++;
        g_windows[tpl.number] = w;
    }

    int left = tpl.left, top = tpl.top;
    if (tpl.attributes & kWinCentered) {
        left = (::GetSystemMetrics(SM_CXSCREEN) - tpl.width) / 2;
        top = (::GetSystemMetrics(SM_CYSCREEN) - tpl.height) / 2;
    }
    DWORD ex = w->showInTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (w->topMost) ex |= WS_EX_TOPMOST;
    HWND hwnd = ::CreateWindowExA(ex, detail::kWindowClass, tpl.title.c_str(),
                                  WS_POPUP | WS_CLIPCHILDREN, left, top, tpl.width,
                                  tpl.height, parent, nullptr, detail::Instance(), w.get());
    if (!hwnd) {
        RemoveWindow(w.get());
        return nullptr;
    }
    for (const UnitTemplate& ut : tpl.units) {
        auto u = std::make_unique<Unit>();
        u->window = w.get();
        u->tpl = ut;
        w->units.push_back(std::move(u));
    }
    for (auto& u : w->units) detail::PrepareUnit(u.get());
    // Controls on pages not on show are made at the window's first showing
    // (or when first addressed): the start-up shows the window sooner.
    for (auto& u : w->units) {
        u->deferred = detail::OnPageNotShown(w.get(), u.get());
        w->hasDeferred = w->hasDeferred || u->deferred;
    }
    // A new child window goes beneath its siblings, so made last row first,
    // later rows lie above earlier ones, as the layouts are drawn: a box
    // that overlays a label, buttons on a title bar.
    for (auto u = w->units.rbegin(); u != w->units.rend(); ++u)
        if (!(*u)->deferred) detail::CreateUnitWindow(w.get(), u->get());
    for (auto& u : w->units) {
        if (u->tpl.kind == UnitKind::TabControl) {
            // Beneath its page units, which are its siblings.
            ::SetWindowPos(u->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            detail::ShowTabPage(w.get(), u.get(), u->currentPage);
        }
    }
    for (auto& u : w->units) {
        if (u->tpl.kind == UnitKind::Timer) detail::StartTimer(w.get(), u.get());
    }
    return w;
}

}  // namespace

namespace detail {

void ShowAndActivate(Window* w) {
    // Shown and painted before it is activated: the first activation's
    // handlers (the tray icon loads the shell) would otherwise keep the
    // window off the screen, or blank, until they are done.
    ::ShowWindow(w->hwnd, SW_SHOWNA);
    ::UpdateWindow(w->hwnd);
    CreateDeferredUnits(w);
    // Activation's events (-7, then the first time 8) run before we return.
    if (w->hwnd) Activate(w->hwnd);
}

std::shared_ptr<Window> FindWindowObj(int number) {
    ScopedLock l(g_lock);
    auto it = g_windows.find(number);
    return it == g_windows.end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<Window>> AllWindows() {
    ScopedLock l(g_lock);
    std::vector<std::shared_ptr<Window>> all;
    for (auto& [n, w] : g_windows) all.push_back(w);
    return all;
}

size_t WindowCount() {
    ScopedLock l(g_lock);
    return g_windows.size();
}

void OnWindowThread(const std::shared_ptr<Window>& w, const std::function<void()>& fn) {
    HWND h = w ? w->hwnd : nullptr;
    if (!h || ::GetWindowThreadProcessId(h, nullptr) == ::GetCurrentThreadId()) {
        fn();
        return;
    }
    // The window's thread may be showing the fatal box; the worker's label
    // writes must not run inside it.
    if (IsEnding()) return;
    std::function<void()> call = fn;
    ::SendMessageA(h, kMsgInvoke, 0, reinterpret_cast<LPARAM>(&call));
}

const EventBinding* FindBinding(Window* w, int unit, int event) {
    for (const EventBinding& b : w->tpl.events)
        if (b.unit == unit && b.event == event) return &b;
    return nullptr;
}

void Raise(Window* w, int unit, int event) {
    if (IsEnding() || !w->ready) return;
    const EventBinding* b = FindBinding(w, unit, event);
    if (b && b->handler) b->handler();
}

void RaiseDoubleClick(Window* w, int unit, int x, int y, int keys) {
    if (IsEnding() || !w->ready) return;
    const EventBinding* b = FindBinding(w, unit, kEvDoubleClicked);
    if (!b) return;
    if (b->doubleClick) b->doubleClick(x, y, keys);
    else if (b->handler) b->handler();
}

int KeyStateBits(WPARAM mouseKeys) {
    int keys = 0;
    if (mouseKeys & MK_CONTROL) keys |= 1;
    if (mouseKeys & MK_SHIFT) keys |= 2;
    if (::GetKeyState(VK_MENU) < 0) keys |= 4;
    return keys;
}

Unit* Window::FindUnit(int id) {
    for (auto& u : units)
        if (u->tpl.id == id) return u.get();
    return nullptr;
}

Unit* Window::UnitWithControl(int id) {
    Unit* u = FindUnit(id);
    if (u && u->deferred) detail::CreateDeferredUnits(this);
    return u;
}

void WithUnit(int window, int unit, const std::function<void(Window*, Unit*)>& fn) {
    auto w = FindWindowObj(window);
    if (!w) return;
    OnWindowThread(w, [&] {
        if (unit == 0) fn(w.get(), nullptr);
        else if (Unit* u = w->UnitWithControl(unit)) fn(w.get(), u);
    });
}

Unit* Window::FindUnitByHwnd(HWND h) {
    if (!h) return nullptr;
    for (auto& u : units)
        if (u->hwnd == h) return u.get();
    return nullptr;
}

void BeginDrag(Window* w, HWND capture) {
    if (!(w->tpl.attributes & kWinDragAnywhere) || !w->hwnd) return;
    RECT r;
    ::GetWindowRect(w->hwnd, &r);
    ::GetCursorPos(&w->dragCursor);
    w->dragOrigin = {r.left, r.top};
    w->dragCapture = capture;
    ::SetCapture(capture);
}

bool ContinueDrag(Window* w, HWND capture) {
    if (w->dragCapture != capture || ::GetCapture() != capture) return false;
    POINT p;
    ::GetCursorPos(&p);
    ::SetWindowPos(w->hwnd, nullptr, w->dragOrigin.x + p.x - w->dragCursor.x,
                   w->dragOrigin.y + p.y - w->dragCursor.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void EndDrag(Window* w, HWND capture) {
    if (w->dragCapture != capture) return;
    w->dragCapture = nullptr;
    if (::GetCapture() == capture) ::ReleaseCapture();
}

bool HandleEscape(Window* w, UINT msg, WPARAM wp) {
    if (msg != WM_KEYDOWN || wp != VK_ESCAPE || !(w->tpl.attributes & kWinEscCloses)) return false;
    ::PostMessageA(w->hwnd, WM_CLOSE, 0, 0);
    return true;
}

Text WindowTextOf(HWND h) {
    int n = ::GetWindowTextLengthA(h);
    if (n <= 0) return Text();
    Text t(static_cast<size_t>(n) + 1, '\0');
    int got = ::GetWindowTextA(h, &t[0], n + 1);
    t.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return t;
}

}  // namespace detail

namespace {

void OnActivate(Window* w, WPARAM wp) {
    if (LOWORD(wp) == WA_INACTIVE) {
        detail::Raise(w, 0, kEvLostFocus);
        return;
    }
    detail::Raise(w, 0, kEvGotFocus);
    if (!w->firstActivated && w->hwnd) {
        w->firstActivated = true;
        detail::Raise(w, 0, kEvFirstActivated);
    }
}

// After the window itself got the focus (and -7 ran), the focus goes on to
// the control that last had it, else the first tab stop.
void PassFocusOn(Window* w) {
    HWND target = nullptr;
    if (w->lastFocus && ::IsWindow(w->lastFocus) && ::IsWindowVisible(w->lastFocus) &&
        ::IsWindowEnabled(w->lastFocus))
        target = w->lastFocus;
    for (size_t i = 0; !target && i < w->units.size(); ++i) {
        HWND h = w->units[i]->hwnd;
        if (h && (w->units[i]->tpl.flags & kTabStop) && ::IsWindowVisible(h) && ::IsWindowEnabled(h))
            target = h;
    }
    if (target) ::SetFocus(target);
}

void OnDestroy(Window* w) {
    detail::Raise(w, 0, kEvDestroying);
    for (auto& u : w->units) {
        if (u->tpl.kind == UnitKind::Timer && u->timerRunning)
            ::KillTimer(w->hwnd, kTimerIdBase + static_cast<UINT_PTR>(u->tpl.id));
        u->timerRunning = false;
    }
}

void OnNcDestroy(Window* w, HWND hwnd) {
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    w->hwnd = nullptr;
    for (auto& u : w->units) u->hwnd = nullptr;
    RemoveWindow(w);
    // The program ends with its last window.
    if (detail::MainLoopRunning() && detail::WindowCount() == 0) ::PostQuitMessage(0);
}

LRESULT OnCommand(Window* w, HWND hwnd, WPARAM wp, LPARAM lp) {
    HWND control = reinterpret_cast<HWND>(lp);
    Unit* u = w->FindUnitByHwnd(control);
    if (u && HIWORD(wp) == BN_CLICKED &&
        (u->tpl.kind == UnitKind::SuperButton || u->tpl.kind == UnitKind::GraphicButton)) {
        detail::Raise(w, u->tpl.id, kEvClicked);
        return 0;
    }
    return ::DefWindowProcA(hwnd, WM_COMMAND, wp, lp);
}

LRESULT OnNotify(Window* w, HWND hwnd, WPARAM wp, LPARAM lp) {
    const NMHDR* nm = reinterpret_cast<const NMHDR*>(lp);
    Unit* u = w->FindUnitByHwnd(nm->hwndFrom);
    if (u && u->tpl.kind == UnitKind::TabControl && nm->code == TCN_SELCHANGE) {
        detail::ShowTabPage(w, u, static_cast<int>(::SendMessageA(u->hwnd, TCM_GETCURSEL, 0, 0)));
        return 0;
    }
    return ::DefWindowProcA(hwnd, WM_NOTIFY, wp, lp);
}

LRESULT HandleTopLevel(Window* w, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case detail::kMsgInvoke:
        (*reinterpret_cast<std::function<void()>*>(lp))();
        return 0;
    case WM_CLOSE:
        ::InterlockedExchange(&w->closing, 1);
        ::DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        OnDestroy(w);
        return 0;
    case WM_ENDSESSION:
        // A called-off end (FALSE) changes nothing.
        if (wp) detail::Raise(w, 0, kEvSessionEnding);
        return 0;
    case WM_NCDESTROY:
        OnNcDestroy(w, hwnd);
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    case WM_ACTIVATE:
        OnActivate(w, wp);
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    case WM_MOVE:
    case WM_SIZE:
        if (w->ready) ReportGeometry(w, false);
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    case WM_GETICON:
        // Every layer window shows the program's icons, which its class
        // carries; one set on the window itself would come first.
        if (LRESULT set = ::DefWindowProcA(hwnd, msg, wp, lp)) return set;
        return static_cast<LRESULT>(::GetClassLongPtrA(hwnd, wp == ICON_BIG ? GCLP_HICON : GCLP_HICONSM));
    case WM_ERASEBKGND: {
        RECT r;
        ::GetClientRect(hwnd, &r);
        ::FillRect(reinterpret_cast<HDC>(wp), &r,
                   w->backBrush ? w->backBrush.Get() : ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_SETFOCUS:
        PassFocusOn(w);
        return 0;
    case WM_LBUTTONDOWN:
        detail::BeginDrag(w, hwnd);
        return 0;
    case WM_MOUSEMOVE:
        detail::ContinueDrag(w, hwnd);
        return 0;
    case WM_LBUTTONUP:
        detail::EndDrag(w, hwnd);
        return 0;
    case WM_CAPTURECHANGED:
        if (w->dragCapture == hwnd) w->dragCapture = nullptr;
        return 0;
    case WM_LBUTTONDBLCLK:
        detail::RaiseDoubleClick(w, 0, GET_X_LPARAM(lp), GET_Y_LPARAM(lp), detail::KeyStateBits(wp));
        return 0;
    case WM_KEYDOWN:
        if (detail::HandleEscape(w, msg, wp)) return 0;
        break;
    case WM_TIMER:
        if (wp >= kTimerIdBase) {
            Unit* u = w->FindUnit(static_cast<int>(wp - kTimerIdBase));
            if (u && u->timerRunning) detail::Raise(w, u->tpl.id, kEvElapsed);
            return 0;
        }
        break;
    case WM_COMMAND:
        return OnCommand(w, hwnd, wp, lp);
    case WM_NOTIFY:
        return OnNotify(w, hwnd, wp, lp);
    case WM_DRAWITEM:
        if (detail::DrawOwnerDrawn(w, reinterpret_cast<const DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: {
        bool handled = false;
        LRESULT r = detail::CtlColor(w, reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), &handled);
        if (handled) return r;
        break;
    }
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wp, lp);
}


}  // namespace

namespace detail {

LRESULT CALLBACK TopLevelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
        auto* w = static_cast<Window*>(cs->lpCreateParams);
        w->hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    }
    auto* w = reinterpret_cast<Window*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!w) return ::DefWindowProcA(hwnd, msg, wp, lp);
    // Holds the window's state while a handler inside this message closes it.
    std::shared_ptr<Window> keep = w->shared_from_this();
    return HandleTopLevel(w, hwnd, msg, wp, lp);
}

}  // namespace detail

bool LoadWindow(const WindowTemplate& tpl, HWND parent, bool modal) {
    if (auto open = detail::FindWindowObj(tpl.number)) {
        if (!open->closing && open->hwnd) {
            detail::OnWindowThread(open, [&] {
                if (::IsIconic(open->hwnd)) ::ShowWindow(open->hwnd, SW_RESTORE);
                Activate(open->hwnd);
            });
            return true;
        }
        DestroyNow(open);
        RemoveWindow(open.get());
    }

    std::shared_ptr<Window> w = Create(tpl, parent);
    if (!w) return false;
    const int number = w->number;
    const uint64_t serial = w->serial;

    // Creation complete, then the first position and size, each only while
    // the window still exists (a handler may close it).
    w->ready = true;
    detail::Raise(w.get(), 0, kEvCreated);
    if (StillOpen(number, serial)) ReportGeometry(w.get(), true);

    if (StillOpen(number, serial) && (tpl.attributes & kWinVisible) && !::IsWindowVisible(w->hwnd)) {
        detail::ShowAndActivate(w.get());
    }
    if (!modal) return true;

    std::vector<HWND> disabled = StillOpen(number, serial) ? DisableOthers(w->hwnd) : std::vector<HWND>{};
    RunModalLoop(number, serial);
    for (HWND h : disabled)
        if (::IsWindow(h)) ::EnableWindow(h, TRUE);
    return true;
}

void DestroyWindowOrUnit(int window, int unit, bool atOnce) {
    auto w = detail::FindWindowObj(window);
    if (!w || !w->hwnd) return;
    if (unit == 0 && !atOnce) {
        ::InterlockedExchange(&w->closing, 1);
        ::PostMessageA(w->hwnd, WM_CLOSE, 0, 0);
        return;
    }
    detail::OnWindowThread(w, [&] {
        if (unit == 0) {
            ::InterlockedExchange(&w->closing, 1);
            if (w->hwnd) ::DestroyWindow(w->hwnd);
            return;
        }
        Unit* u = w->FindUnit(unit);
        if (!u) return;
        if (u->tpl.kind == UnitKind::Timer) {
            detail::SetTimerInterval(w.get(), u, 0);
            u->timerRunning = false;
        }
        if (u->hwnd) {
            HWND h = u->hwnd;
            u->hwnd = nullptr;
            ::DestroyWindow(h);
        }
        // A destroyed unit is gone until its window is loaded again.
        for (auto it = w->units.begin(); it != w->units.end(); ++it) {
            if (it->get() == u) {
                w->units.erase(it);
                break;
            }
        }
    });
}

bool IsCreated(int window, int unit) {
    auto w = detail::FindWindowObj(window);
    if (!w || !w->hwnd) return false;
    if (unit == 0) return true;
    detail::ScopedLock l(g_lock);
    return w->FindUnit(unit) != nullptr;
}

HWND GetWindowHandle(int window, int unit) {
    auto w = detail::FindWindowObj(window);
    if (!w) return nullptr;
    if (unit == 0) return w->hwnd;
    Unit* u = w->FindUnit(unit);
    return u ? u->hwnd : nullptr;  // none yet for a unit that waits for its page
}

LRESULT SendUnitMessage(int window, int unit, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    detail::WithUnit(window, unit, [&](Window* w, Unit* u) {
        if (HWND h = u ? u->hwnd : w->hwnd) result = ::SendMessageA(h, message, wParam, lParam);
    });
    return result;
}

void ProcessPendingEvents() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

}  // namespace rt
