// Window and unit numbers of the scheduled power window. Unit numbers are
// also the control ids of the units' child windows, so tests and screen
// readers find the same units in every run. They follow the stored order.
#pragma once

namespace power {

constexpr int kConfigWindow = 1;  // 配置

namespace config {
constexpr int 刷新 = 1;        // timer: caption refresh
constexpr int 睡眠 = 2;        // timer: hibernate
constexpr int 重启 = 3;        // timer: restart
constexpr int 超级按钮2 = 4;   // "取消"
constexpr int 超级按钮1 = 5;   // "确认"
constexpr int 关机 = 6;        // timer: power off
constexpr int 组合框1 = 7;     // action
constexpr int 标签2 = 8;       // warning text
constexpr int 编辑框1 = 9;     // minutes
constexpr int 标签1 = 10;      // "分钟后"
constexpr int 窗口标题 = 11;   // stands in for the caption bar
}  // namespace config

}  // namespace power
