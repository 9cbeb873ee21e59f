// Timer units: a window timer per unit, keyed by its unit number.
#include <windows.h>

#include "window_internal.h"

namespace rt::detail {
namespace {

UINT_PTR TimerId(const Unit* u) { return kTimerIdBase + static_cast<UINT_PTR>(u->tpl.id); }

}  // namespace

void StartTimer(Window* w, Unit* u) {
    if (u->interval > 0 && w->hwnd) {
        u->timerRunning = ::SetTimer(w->hwnd, TimerId(u), static_cast<UINT>(u->interval), nullptr) != 0;
    }
}

void SetTimerInterval(Window* w, Unit* u, int value) {
    if (value < 0) value = 0;
    if (value == u->interval) return;  // the same period does not restart it
    if (u->timerRunning && w->hwnd) ::KillTimer(w->hwnd, TimerId(u));
    u->timerRunning = false;
    u->interval = value;
    StartTimer(w, u);
}

}  // namespace rt::detail
