// Layout of the window 迷你时钟: the dark clock face and its time labels.
#include "mini_clock.h"
#include "unit_ids.h"

namespace clockapp {
namespace {

using namespace rt;
using namespace mini_clock;

constexpr uint32_t kDark = Rgb(29, 29, 29);

// Every label: white on the window's dark grey, "微软雅黑 Light" at weight 290,
// left-aligned and vertically centred; only the height differs.
UnitTemplate ClockLabel(int id, int left, int top, int width, int height, uint32_t flags,
                        const char* text, int fontHeight) {
    return Label(id, left, top, width, height, kVisible | flags, text,
                 Font("微软雅黑 Light", fontHeight, 290), kWhite, kDark);
}

WindowTemplate Build() {
    // No title and no taskbar button.
    WindowTemplate w = WindowRow(kMiniClockWindow, "", 481, 141,
                                 kWinVisible | kWinCentered | kWinEscCloses | kWinDragAnywhere | kWinTopMost,
                                 kDark);
    // Stored, though the centred start position overrides them.
    w.left = 50;
    w.top = 50;
    w.units = {
        Timer(时钟1, 1000),
        ClockLabel(日期, 336, 25, 140, 90, kWordWrap, "11月20日\r\n星期日", -33),
        ClockLabel(分, 118, 30, 90, 80, 0, "00", -83),
        ClockLabel(秒, 222, 30, 90, 80, 0, "00", -83),
        ClockLabel(时, 15, 30, 90, 80, 0, "00", -83),
        // The colons overlap the digit labels beside them.
        ClockLabel(冒号1, 72, 21, 80, 80, 0, "：", -80),
        ClockLabel(冒号2, 177, 21, 80, 80, 0, "：", -80),
    };
    w.events = {
        {0, kEvDoubleClicked, nullptr, &_迷你时钟_被双击},
        {0, kEvCreated, &_迷你时钟_创建完毕},
        {时钟1, kEvElapsed, &_时钟1_周期事件},
    };
    return w;
}

}  // namespace

const WindowTemplate& MiniClockTemplate() {
    static const WindowTemplate tpl = Build();
    return tpl;
}

}  // namespace clockapp
