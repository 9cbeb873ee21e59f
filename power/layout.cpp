// Layout of the window 配置: minutes box, action choice, confirm and cancel,
// and one timer per action.
#include "power.h"
#include "unit_ids.h"

namespace power {
namespace {

using namespace rt;
using namespace config;

constexpr uint32_t kTeal = Rgb(0, 170, 169);
constexpr uint32_t kTitleTeal = Rgb(0, 180, 169);
constexpr uint32_t kButtonBlue = Rgb(29, 161, 225);
constexpr uint32_t kButtonHot = Rgb(45, 193, 210);
const char* const kFace = "微软雅黑";

UnitTemplate ActionCombo() {
    UnitTemplate u = ComboBox(组合框1, 174, 60, 48, 20, kVisible | kTabStop,
                              "关机\n重启\n睡眠", 0, DefaultFont());
    u.backColor = kWhite;
    return u;
}

UnitTemplate Button(int id, int left, const char* caption, const char* tooltip) {
    UnitTemplate u = SuperButton(id, left, 148, 80, 32, kVisible, caption, tooltip,
                                 Font(kFace, -19), kButtonBlue, kButtonHot, kButtonHot);
    u.textColor = kWhite;
    return u;
}

WindowTemplate Build() {
    WindowTemplate w = WindowRow(kConfigWindow, "定时关机小巧版", 298, 204,
                                 kWinVisible | kWinCentered | kWinDragAnywhere | kWinEscCloses |
                                     kWinShowInTaskbar,
                                 kTeal);
    w.units = {
        Timer(刷新, 0),
        Timer(睡眠, 0),
        Timer(重启, 0),
        Button(超级按钮2, 160, "取消", "取消自动关机"),
        Button(超级按钮1, 48, "确认", "在200分钟后关机"),
        Timer(关机, 0),
        ActionCombo(),
        Label(标签2, 18, 93, 272, 48, kVisible | kWordWrap,
              "    提示：关机时不会出现提示，所以只推荐在下载或挂机时使用。", Font(kFace, -14),
              kBlack, kTeal),
        EditBox(编辑框1, 74, 59, 40, 24, kVisible | kTabStop | kBorder | kDigitsAndMinus, "200",
                DefaultFont(), kBlack, kWhite, 4),
        Label(标签1, 120, 59, 54, 24, kVisible, "分钟后", Font(kFace, -16), kBlack, kTeal),
        // Wider than the window on purpose: the window clips it.
        Label(窗口标题, 0, 0, 440, 32, kVisible | kDisabled, "      定时关机小巧版",
              Font(kFace, -14), kWhite, kTitleTeal),
    };
    w.events = {
        {0, kEvResized, &_配置_尺寸被改变},
        {超级按钮1, kEvClicked, &_超级按钮1_被单击},
        {超级按钮2, kEvClicked, &_超级按钮2_被单击},
        {刷新, kEvElapsed, &_刷新_周期事件},
        {关机, kEvElapsed, &_关机_周期事件},
        {重启, kEvElapsed, &_重启_周期事件},
        {睡眠, kEvElapsed, &_睡眠_周期事件},
    };
    return w;
}

}  // namespace

const WindowTemplate& ConfigWindowTemplate() {
    static const WindowTemplate tpl = Build();
    return tpl;
}

}  // namespace power
