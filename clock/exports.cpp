// The library's exports: stdcall, ASCII symbols that Clock.def maps to the
// GBK export names. The template binds the same routines.
#include <windows.h>

#include "mini_clock.h"

extern "C" {
// The callee removes the three arguments, as stdcall requires.
void WINAPI ClockDoubleClicked(int x, int y, int keys) { clockapp::_迷你时钟_被双击(x, y, keys); }
void WINAPI ClockCreated() { clockapp::_迷你时钟_创建完毕(); }
void WINAPI ClockTimerElapsed() { clockapp::_时钟1_周期事件(); }
void WINAPI ClockEntry() { clockapp::读取时钟(); }
void WINAPI ClockDestroy() { clockapp::销毁时钟(); }
}
