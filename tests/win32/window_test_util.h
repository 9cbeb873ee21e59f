// Shared bits of the window tests: an event log and a pump with a deadline.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "rt/window.h"

namespace wtest {

inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Pumps the thread's messages until pred() holds or ms pass.
template <typename Pred>
bool PumpUntil(Pred pred, int ms = 2000) {
    DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    while (!pred()) {
        if (static_cast<int>(end - ::GetTickCount()) <= 0) return false;
        rt::ProcessPendingEvents();
        ::Sleep(5);
    }
    return true;
}

inline void Pump(int ms) {
    PumpUntil([] { return false; }, ms);
}

inline rt::WindowTemplate Basic(int number, uint32_t attributes = rt::kWinVisible | rt::kWinCentered) {
    rt::WindowTemplate t;
    t.number = number;
    t.title = "测试";
    t.width = 300;
    t.height = 200;
    t.left = 10;
    t.top = 10;
    t.attributes = attributes;
    t.backColor = rt::Rgb(0, 170, 169);
    return t;
}

}  // namespace wtest
