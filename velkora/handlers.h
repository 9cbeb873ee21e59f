// Every routine of the main program that a window event, the start-up or
// another routine calls, grouped by the file that holds it.
#pragma once

#include "rt/values.h"
#include "velkora_config.h"

namespace velkora {

// startup.cpp: program entry steps and the main window's own events
void OnMainWindowCreated();
void OnMainWindowFirstActivated();
void OnMainWindowResized();
void BringMainWindowToFront();
void OnMainWindowDestroying();
void OnSessionEnding();
void ShowSyncTab();
void ShowFeaturesTab();
void ShowSettingsTab();
void ShowAboutTab();
void MinimizeMainWindow();
void CloseMainWindow();

// single_instance.cpp
// The instance mutex's and the main window property's name.
inline constexpr char SingleInstanceName[] = VELKORA_SINGLE_INSTANCE_NAME;
void EnsureSingleInstance(rt::Text& name);  // ends this process when another instance runs

// sync.cpp
void SyncNow();
void AppendLog(const rt::Text& text);
void RunTimeSync();
int FetchServerTimeAndSetClock(const rt::Text& url, int offsetHours);

// auto_sync.cpp
void OpenAutoSyncDialog();
void OnAutoSyncDialogCreated();
void OnAutoSyncConfirm();
void OnAutoSyncCancel();
void OnAutoSyncTimer();

// tray.cpp
bool InstallTrayIcon();
bool ShowTrayBalloon(const rt::Text& title, const rt::Text& text);

// settings.cpp
void ToggleRememberPosition();
void ToggleRememberTimeZone();
void LoadPositionSettings();
void LoadSwitchSettings();
void SaveSettings();

// shortcuts.cpp
void CreateDesktopShortcutsOnce();
void ToggleStartWithWindows();

// update.cpp
void OnUpdateClicked();
void ReleaseUpdateLock();  // the lock step of OnMainWindowDestroying

// update_handoff.cpp
void HandOverTo(const rt::Text& newProgram);  // starts its "copy" step and closes this program
void HandleUpdateHandoff();                    // at start-up: the step the command line names

// spinner.cpp
void StartSpinner();
void OnSpinnerTick();
void OnSpinnerPhaseTick();
void ReleaseSpinnerFont();

// plugins.cpp
void OpenShutdownPlugin();
void OpenMiniClockPlugin();

}  // namespace velkora
