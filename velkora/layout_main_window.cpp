// Layout of MainWindow: a borderless window whose title bar is a label, four
// header buttons that switch the pages of 选择夹1, and the pages' units.
#include "handlers.h"
#include "layouts.h"
#include "switch_images.h"
#include "unit_ids.h"
#include "velkora_config.h"

namespace velkora {
namespace {

using namespace rt;
using namespace main_window;

constexpr const char* kYaHei = "微软雅黑";
constexpr uint32_t kBackground = Rgb(0, 170, 169);
constexpr uint32_t kTitleBar = Rgb(0, 180, 169);
constexpr uint32_t kHeaderHot = Rgb(138, 190, 45);

// Items of 列表框1 and their data: the offset from UTC in whole hours.
const char* const kTimeZones =
    "中国 新加坡（UTC+8）\n"
    "首尔 东京（UTC+9）\n"
    "夏威夷（UTC-10）\n"
    "阿拉斯加（UTC-9）\n"
    "太平洋时间（美国 加拿大）（UTC-8）\n"
    "山地时间（美国 加拿大）（UTC-7）\n"
    "东部时间（美国 加拿大）（UTC-5）\n"
    "德国 英国（UTC）";
const std::vector<int32_t> kTimeZoneHours = {8, 9, -10, -9, -8, -7, -5, 0};

const char* const kAboutText =
    "本程序完全免费，由" VELKORA_MAKER_NAME "制作。\r\n"
    "官方网站：" VELKORA_MAKER_WEBSITE "\r\n"
    "感谢您的使用。";

UnitTemplate Switch(int id, int left, int top) {
    return GraphicButton(id, left, top, 50, 19, kVisible, &SwitchOffNormalImage(),
                         &SwitchOffActiveImage(), &SwitchOffActiveImage());
}

WindowTemplate Build() {
    WindowTemplate w = WindowRow(kMainWindow, "Velkora6", 773, 365,
                                 kWinVisible | kWinCentered | kWinEscCloses | kWinDragAnywhere |
                                     kWinShowInTaskbar,
                                 kBackground);

    w.units = {
        // On the window itself.
        // The title bar is wider than the window, which clips it; later rows lie
        // above earlier ones, so the header buttons come after it.
        Label(标题, 0, 0, 776, 32, kVisible | kDisabled, "      Velkora6", Font(kYaHei, -14),
              kWhite, kTitleBar),
        SuperButton(超级按钮1, 49, 42, 137, 54, kVisible, "校时", "", Font(kYaHei, -14),
                    kBackground, kHeaderHot, kHeaderHot),
        SuperButton(超级按钮2, 233, 42, 137, 54, kVisible, "功能大全", "", Font(kYaHei, -14),
                    kBackground, kHeaderHot, kHeaderHot),
        SuperButton(超级按钮3, 417, 42, 137, 54, kVisible, "设置", "", Font(kYaHei, -14),
                    kBackground, kHeaderHot, kHeaderHot),
        SuperButton(超级按钮4, 601, 42, 137, 54, kVisible, "关于", "", Font(kYaHei, -14),
                    kBackground, kHeaderHot, kHeaderHot),
        SuperButton(超级按钮5, 662, 0, 51, 24, kVisible | kTabStop, "—", "",
                    Font("新宋体", -12, 700), Rgb(230, 145, 0), Rgb(230, 145, 0), Rgb(230, 145, 0)),
        SuperButton(超级按钮6, 716, 0, 51, 24, kVisible | kTabStop, "×", "",
                    Font("宋体", -12, 700), Rgb(230, 0, 90), Rgb(230, 0, 90), Rgb(230, 0, 90)),
        TabControl(选择夹1, 16, 104, 728, 241, kVisible, "0\n1\n2\n3", kBackground),

        // Page 0: sync.
        OnPage(选择夹1, 0, Label(标签2, 31, 2, 176, 16, kVisible, "详细消息", DefaultFont())),
        OnPage(选择夹1, 0, EditBox(校时结果, 31, 22, 456, 176,
                                  kVisible | kMultiLine | kVScroll | kReadOnly, "欢迎使用Velkora6！",
                                  Font(kYaHei, -12), kWhite, Rgb(192, 192, 192))),
        OnPage(选择夹1, 0, Label(标签6, 511, 4, 104, 16, kVisible, "校对时间选择：", DefaultFont())),
        OnPage(选择夹1, 0, ListBox(列表框1, 511, 22, 208, 130, kVisible, kTimeZones, kTimeZoneHours,
                                  0, Font(kYaHei, -12), kBlack, kWhite)),
        OnPage(选择夹1, 0, SuperButton(超级按钮7, 560, 176, 88, 32, kVisible, "立即校对", "",
                                      Font(kYaHei, -14), Rgb(37, 29, 20), Rgb(0, 224, 128),
                                      Rgb(37, 29, 20))),
        OnPage(选择夹1, 0, Timer(时钟2, 0)),

        // Page 1: features.
        // Coloured bases that frame the buttons laid over them.
        OnPage(选择夹1, 1, Label(自动校时_底层, 23, 16, 125, 100, kVisible, "", DefaultFont(),
                                kWhite, Rgb(179, 179, 255))),
        OnPage(选择夹1, 1, Label(定时关机_底层, 167, 16, 125, 100, kVisible, "", DefaultFont(),
                                kWhite, Rgb(35, 130, 235))),
        OnPage(选择夹1, 1, Label(定时整理_底层, 311, 16, 125, 100, kVisible, "", DefaultFont(),
                                kWhite, Rgb(0, 170, 72))),
        OnPage(选择夹1, 1, SuperButton(超级按钮8, 26, 18, 119, 95, kVisible, "自动校时",
                                      "自动校时：定时校对你的电脑时间", Font(kYaHei, -19),
                                      Rgb(163, 16, 254), Rgb(144, 0, 255), Rgb(144, 0, 255))),
        OnPage(选择夹1, 1, SuperButton(超级按钮9, 170, 18, 119, 95, kVisible, "定时关机",
                                      "定时关机：您可以设置过一段时间后自动关机", Font(kYaHei, -19),
                                      Rgb(29, 161, 225), Rgb(45, 193, 210), Rgb(45, 193, 210))),
        OnPage(选择夹1, 1, SuperButton(超级按钮10, 314, 18, 119, 95, kVisible, "迷你时钟",
                                      "迷你时钟：采用Windows UI的迷你时钟，占用资源低",
                                      Font(kYaHei, -19), Rgb(92, 239, 74), Rgb(128, 224, 0),
                                      Rgb(128, 224, 0))),
        OnPage(选择夹1, 1, Label(标签3, 544, 192, 175, 24, kVisible, "更多功能添加中",
                                Font(kYaHei, -19), kBlack)),

        // Page 2: settings. The switches start "off"; loading the settings
        // swaps in the "on" pictures.
        OnPage(选择夹1, 2, TransparentLabel(透明标签1, 93, 24, 443, 16, kVisible,
                                           "窗体位置：退出时记录Velkora6的主窗体屏幕位置，下次开启自动还原",
                                           Font(kYaHei, -14))),
        OnPage(选择夹1, 2, Switch(图形按钮1, 550, 25)),
        OnPage(选择夹1, 2, TransparentLabel(透明标签2, 92, 56, 436, 16, kVisible,
                                           "开机启动：创建Velkora6的快捷方式在启动组，开机即能启动程序",
                                           Font(kYaHei, -14))),
        OnPage(选择夹1, 2, Switch(图形按钮2, 550, 56)),
        OnPage(选择夹1, 2, TransparentLabel(透明标签3, 92, 88, 443, 16, kVisible,
                                           "记录时区：记录下你的校对时区，省去手动调节的麻烦",
                                           Font(kYaHei, -14))),
        OnPage(选择夹1, 2, Switch(图形按钮3, 550, 87)),

        // Page 3: about.
        OnPage(选择夹1, 3, Label(标签5, 60, 8, 604, 152, kVisible | kWordWrap, kAboutText,
                                Font(kYaHei, -19))),
        OnPage(选择夹1, 3, Label(标签1, 60, 168, 248, 32, kVisible | kWordWrap, "当前版本号：6.0",
                                Font(kYaHei, -19))),
        OnPage(选择夹1, 3, SuperButton(超级按钮11, 616, 176, 88, 32, kVisible | kUnderline,
                                      "联网更新",
                                      "提示：更新过程中请勿关闭程序，更新过程中会自动关闭已开启的功能",
                                      Font(kYaHei, -16, 400, true), Rgb(138, 190, 45),
                                      Rgb(115, 176, 60), Rgb(115, 176, 60))),
        OnPage(选择夹1, 3, Label(标签4, 544, 176, 160, 32, kAlignRight | kWordWrap, "正在更新",
                                Font(kYaHei, -19))),
        OnPage(选择夹1, 3, Label(加载中, 565, 162, 48, 56, kDisabled, "圆圈滚动", Font(kYaHei, -20))),
        OnPage(选择夹1, 3, Timer(加载1, 30)),
        OnPage(选择夹1, 3, Timer(加载2, 0)),
    };

    w.events = {
        {0, kEvCreated, &OnMainWindowCreated},
        {0, kEvFirstActivated, &OnMainWindowFirstActivated},
        {0, kEvResized, &OnMainWindowResized},
        {0, kEvGotFocus, &BringMainWindowToFront},
        {0, kEvDestroying, &OnMainWindowDestroying},
        {0, kEvSessionEnding, &OnSessionEnding},
        {超级按钮1, kEvClicked, &ShowSyncTab},
        {超级按钮2, kEvClicked, &ShowFeaturesTab},
        {超级按钮3, kEvClicked, &ShowSettingsTab},
        {超级按钮4, kEvClicked, &ShowAboutTab},
        {超级按钮5, kEvClicked, &MinimizeMainWindow},
        {超级按钮6, kEvClicked, &CloseMainWindow},
        {超级按钮7, kEvClicked, &SyncNow},
        {时钟2, kEvElapsed, &OnAutoSyncTimer},
        {超级按钮8, kEvClicked, &OpenAutoSyncDialog},
        {超级按钮9, kEvClicked, &OpenShutdownPlugin},
        {超级按钮10, kEvClicked, &OpenMiniClockPlugin},
        {图形按钮1, kEvClicked, &ToggleRememberPosition},
        {图形按钮2, kEvClicked, &ToggleStartWithWindows},
        {图形按钮3, kEvClicked, &ToggleRememberTimeZone},
        {超级按钮11, kEvClicked, &OnUpdateClicked},
        {加载1, kEvElapsed, &OnSpinnerTick},
        {加载2, kEvElapsed, &OnSpinnerPhaseTick},
    };
    return w;
}

}  // namespace

const rt::WindowTemplate& MainWindowLayout() {
    static const rt::WindowTemplate layout = Build();
    return layout;
}

}  // namespace velkora
