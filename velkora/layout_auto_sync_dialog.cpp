// Layout of AutoSyncDialog: "每 [minutes] 分钟校对一次" with confirm and
// cancel, always on top and without a taskbar button.
#include "handlers.h"
#include "layouts.h"
#include "unit_ids.h"

namespace velkora {
namespace {

using namespace rt;
using namespace auto_sync_dialog;

constexpr const char* kYaHei = "微软雅黑";
constexpr uint32_t kPurple = Rgb(163, 16, 254);
constexpr uint32_t kPurpleHot = Rgb(144, 0, 255);

WindowTemplate Build() {
    WindowTemplate w = WindowRow(kAutoSyncDialog, "", 380, 204,
                                 kWinVisible | kWinCentered | kWinEscCloses | kWinDragAnywhere | kWinTopMost,
                                 Rgb(0, 170, 169));

    w.units = {
        Label(标题, 0, 0, 440, 32, kVisible | kDisabled, "      自动校时", Font(kYaHei, -14), kWhite,
              Rgb(0, 180, 169)),
        // The edit box lies over the run of 13 blanks of 标签1, so the line
        // reads 每, the minutes, 分钟校对一次; listed after it, it lies on top.
        Label(标签1, 99, 60, 192, 24, kVisible, "每             分钟校对一次", Font(kYaHei, -16),
              kBlack),
        EditBox(编辑框1, 122, 56, 40, 32, kVisible | kTabStop | kEditCenter | kDigitsAndMinus, "",
                Font(kYaHei, -16), kBlack, kWhite, 4),
        Label(标签2, 134, 96, 112, 16, kVisible, "提示：输入0无效", Font(kYaHei, -14), kBlack),
        SuperButton(超级按钮8, 90, 146, 88, 40, kVisible | kTabStop, "自动校时",
                    "自动校时：定时校对你的电脑时间", Font(kYaHei, -19), kPurple, kPurpleHot,
                    kPurpleHot),
        SuperButton(超级按钮1, 192, 146, 88, 40, kVisible | kTabStop, "取消",
                    "自动校时：定时校对你的电脑时间", Font(kYaHei, -19), kPurple, kPurpleHot,
                    kPurpleHot),
        Timer(时钟1, 0),  // never runs: no period, no handler
    };

    w.events = {
        {0, kEvCreated, &OnAutoSyncDialogCreated},
        {超级按钮8, kEvClicked, &OnAutoSyncConfirm},
        {超级按钮1, kEvClicked, &OnAutoSyncCancel},
    };
    return w;
}

}  // namespace

const rt::WindowTemplate& AutoSyncDialogLayout() {
    static const rt::WindowTemplate layout = Build();
    return layout;
}

}  // namespace velkora
