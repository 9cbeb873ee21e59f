// The scheduled power window: its template and the routines that the
// template binds and the library exports.
#pragma once

#include "rt/window_template.h"
#include "unit_ids.h"

namespace power {

const rt::WindowTemplate& ConfigWindowTemplate();

// Event handlers, bound by the template and exported under these names.
void _超级按钮1_被单击();
void _超级按钮2_被单击();
void _关机_周期事件();
void _重启_周期事件();
void _睡眠_周期事件();
void _刷新_周期事件();
void _配置_尺寸被改变();

// Entry routines.
void 定时关机();
void 销毁关机();

// The power action the three action timers call. Tests point it at a
// recorder so that no machine is ever shut down by a test.
using ShutdownAction = bool (*)(int mode, bool force);
extern ShutdownAction g_shutdownAction;

}  // namespace power
