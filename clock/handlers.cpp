// What the mini clock does: one refresh at creation, then one a second.
#include "mini_clock.h"

#include "core/clock_texts.h"
#include "rt/clock.h"
#include "rt/window.h"
#include "unit_ids.h"

namespace clockapp {
namespace {

using namespace mini_clock;

// Kept while the library is loaded, across openings of the window.
ClockTexts g_kept;

void RefreshDisplay() {
    RefreshClockTexts(rt::Now(), &g_kept);
    rt::SetUnitProperty(kMiniClockWindow, 日期, rt::kPropText, g_kept.DateLine());
    rt::SetUnitProperty(kMiniClockWindow, 时, rt::kPropText, g_kept.hour);
    rt::SetUnitProperty(kMiniClockWindow, 分, rt::kPropText, g_kept.minute);
    rt::SetUnitProperty(kMiniClockWindow, 秒, rt::kPropText, g_kept.second);
}

}  // namespace

// Only the window's own surface raises this: a double-click on a label is
// that label's event, which has no handler.
void _迷你时钟_被双击(int, int, int) { rt::DestroyWindowOrUnit(kMiniClockWindow); }

void _迷你时钟_创建完毕() { RefreshDisplay(); }

void _时钟1_周期事件() { RefreshDisplay(); }

void 读取时钟() { rt::LoadWindow(MiniClockTemplate(), nullptr, true); }

void 销毁时钟() {
    if (rt::IsCreated(kMiniClockWindow)) rt::DestroyWindowOrUnit(kMiniClockWindow);
}

void ReleaseKeptTexts() { ReleaseClockTexts(&g_kept); }

}  // namespace clockapp
