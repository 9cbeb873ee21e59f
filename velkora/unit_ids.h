// Window numbers and unit numbers of the main program's two windows. Unit
// numbers are also the control ids of the units' child windows, so tests and
// screen readers find the same units in every run.
#pragma once

namespace velkora {

constexpr int kMainWindow = 1;
constexpr int kAutoSyncDialog = 2;

namespace main_window {
constexpr int 标题 = 1;
constexpr int 超级按钮1 = 2;   // "校时"
constexpr int 超级按钮2 = 3;   // "功能大全"
constexpr int 超级按钮3 = 4;   // "设置"
constexpr int 超级按钮4 = 5;   // "关于"
constexpr int 超级按钮5 = 6;   // "—"
constexpr int 超级按钮6 = 7;   // "×"
constexpr int 选择夹1 = 8;
// page 0: sync
constexpr int 标签2 = 10;
constexpr int 校时结果 = 11;
constexpr int 标签6 = 12;
constexpr int 列表框1 = 13;
constexpr int 超级按钮7 = 14;  // "立即校对"
constexpr int 时钟2 = 15;
// page 1: features
constexpr int 自动校时_底层 = 20;
constexpr int 定时关机_底层 = 21;
constexpr int 定时整理_底层 = 22;
constexpr int 超级按钮8 = 23;  // "自动校时"
constexpr int 超级按钮9 = 24;  // "定时关机"
constexpr int 超级按钮10 = 25; // "迷你时钟"
constexpr int 标签3 = 26;
// page 2: settings
constexpr int 透明标签1 = 30;
constexpr int 图形按钮1 = 31;  // remember position
constexpr int 透明标签2 = 32;
constexpr int 图形按钮2 = 33;  // start with Windows
constexpr int 透明标签3 = 34;
constexpr int 图形按钮3 = 35;  // remember time zone
// page 3: about
constexpr int 标签5 = 40;
constexpr int 标签1 = 41;
constexpr int 超级按钮11 = 42; // "联网更新"
constexpr int 标签4 = 43;
constexpr int 加载中 = 44;
constexpr int 加载1 = 45;
constexpr int 加载2 = 46;
}  // namespace main_window

namespace auto_sync_dialog {
constexpr int 标题 = 1;
constexpr int 标签1 = 2;
constexpr int 编辑框1 = 3;
constexpr int 标签2 = 4;
constexpr int 超级按钮8 = 5;   // "自动校时"
constexpr int 超级按钮1 = 6;   // "取消"
constexpr int 时钟1 = 7;
}  // namespace auto_sync_dialog

}  // namespace velkora
