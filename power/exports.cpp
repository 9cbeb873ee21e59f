// The library's exports: stdcall, no arguments, ASCII symbols that Power.def
// maps to the GBK export names. The template binds the same routines.
#include <windows.h>

#include "power.h"

extern "C" {
void WINAPI PowerConfirmClicked() { power::_超级按钮1_被单击(); }
void WINAPI PowerCancelClicked() { power::_超级按钮2_被单击(); }
void WINAPI PowerOffElapsed() { power::_关机_周期事件(); }
void WINAPI PowerConfigResized() { power::_配置_尺寸被改变(); }
void WINAPI PowerRefreshElapsed() { power::_刷新_周期事件(); }
void WINAPI PowerHibernateElapsed() { power::_睡眠_周期事件(); }
void WINAPI PowerRestartElapsed() { power::_重启_周期事件(); }
void WINAPI PowerEntry() { power::定时关机(); }
void WINAPI PowerDestroy() { power::销毁关机(); }
}
