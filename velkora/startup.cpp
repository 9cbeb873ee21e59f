// The spine of the program: the ordered start-up in MainWindow's creation
// event, the window's other events and its six header buttons.
#include "handlers.h"
#include "rt/program.h"
#include "rt/window.h"
#include "unit_ids.h"

namespace velkora {
namespace {

namespace mw = main_window;

constexpr int kSyncTab = 0, kFeaturesTab = 1, kSettingsTab = 2, kAboutTab = 3;
constexpr int kPositionMinimized = 2;

void ShowTab(int tab) { rt::SetUnitProperty(kMainWindow, mw::选择夹1, rt::kPropCurrentTab, tab); }

void SetMainWindowVisible(bool visible) {
    rt::SetUnitProperty(kMainWindow, 0, rt::kPropVisible, visible ? 1 : 0);
}

// Each switch opens its tool on the features tab. "-power" and "-clock"
// return only when the plug-in's window has been closed.
void RunCommandLineSwitch(const rt::Text& argument) {
    if (argument == "-ds") {
        ShowFeaturesTab();
        OpenAutoSyncDialog();
    } else if (argument == "-power") {
        ShowFeaturesTab();
        OpenShutdownPlugin();
    } else if (argument == "-clock") {
        ShowFeaturesTab();
        OpenMiniClockPlugin();
    }
}

}  // namespace

void OnMainWindowCreated() {
    // A "copy" hand-off only posts the close: the steps below still run.
    HandleUpdateHandoff();

    // A second instance ends inside this call.
    rt::Text instanceName = SingleInstanceName;
    EnsureSingleInstance(instanceName);

    const rt::TextArray args = rt::CommandLineArgs();
    for (int i = 1; i <= args.Count(); ++i) RunCommandLineSwitch(args.At(i));

    LoadPositionSettings();

    // The window is still hidden, so this shows and activates it; its first
    // activation adds the tray icon before the write returns, which the
    // start balloon needs.
    SetMainWindowVisible(true);
    ShowTrayBalloon("", "Velkora6已启动");

    LoadSwitchSettings();
}

void OnMainWindowFirstActivated() {
    SetMainWindowVisible(true);
    InstallTrayIcon();
}

void OnMainWindowResized() {
    if (rt::GetUnitInt(kMainWindow, 0, rt::kPropPosition) != kPositionMinimized) return;
    ShowTrayBalloon("Velkora6", "提示：程序已最小化");
    SetMainWindowVisible(false);
}

void BringMainWindowToFront() {
    // Up through the topmost band and straight out again: above every
    // ordinary window, without staying topmost.
    rt::SetUnitProperty(kMainWindow, 0, rt::kPropTopMost, 1);
    rt::SetUnitProperty(kMainWindow, 0, rt::kPropTopMost, 0);
}

void OnMainWindowDestroying() {
    SetMainWindowVisible(false);
    CreateDesktopShortcutsOnce();
    ReleaseSpinnerFont();
    ReleaseUpdateLock();
    SaveSettings();
}

// Windows ends a program after this without destroying its windows, so the
// close's steps that outlive the process are taken here, once: a program
// that waits in the tray until shutdown keeps its settings and gets its
// desktop shortcuts.
void OnSessionEnding() {
    static bool done = false;
    if (done) return;
    done = true;
    CreateDesktopShortcutsOnce();
    SaveSettings();
}

void ShowSyncTab() { ShowTab(kSyncTab); }
void ShowFeaturesTab() { ShowTab(kFeaturesTab); }
void ShowSettingsTab() { ShowTab(kSettingsTab); }
void ShowAboutTab() { ShowTab(kAboutTab); }

void MinimizeMainWindow() {
    // The minimise raises size changed, which sends the window to the tray.
    rt::SetUnitProperty(kMainWindow, 0, rt::kPropPosition, kPositionMinimized);
}

void CloseMainWindow() { rt::DestroyWindowOrUnit(kMainWindow); }

}  // namespace velkora
