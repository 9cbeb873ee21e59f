// Window and unit numbers of the mini clock. Unit numbers are also the
// control ids of the units' child windows; they follow the stored order.
#pragma once

namespace clockapp {

constexpr int kMiniClockWindow = 1;  // 迷你时钟

namespace mini_clock {
constexpr int 时钟1 = 1;   // 1000 ms display timer
constexpr int 日期 = 2;    // " 3月 8日\r\n星期日"
constexpr int 分 = 3;
constexpr int 秒 = 4;
constexpr int 时 = 5;
constexpr int 冒号1 = 6;
constexpr int 冒号2 = 7;
}  // namespace mini_clock

}  // namespace clockapp
