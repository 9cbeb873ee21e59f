// The mini clock window: its template and the routines that the template
// binds and the library exports.
#pragma once

#include "rt/window_template.h"
#include "unit_ids.h"

namespace clockapp {

const rt::WindowTemplate& MiniClockTemplate();

// Event handlers, bound by the template and exported under these names.
void _迷你时钟_被双击(int x, int y, int keys);
void _迷你时钟_创建完毕();
void _时钟1_周期事件();

// Entry routines.
void 读取时钟();
void 销毁时钟();

// Releases the kept display texts; registered for the layer's shut-down.
void ReleaseKeptTexts();

}  // namespace clockapp
