// Temporary: removed as the routines land.
#include "handlers.h"
#include "switch_images.h"

namespace velkora {

bool EnsureSingleInstance(rt::Text&) { return true; }

void SyncNow() {}
void AppendLog(const rt::Text&) {}
void RunTimeSync() {}
int FetchServerTimeAndSetClock(const rt::Text&, int) { return 0; }

void OpenAutoSyncDialog() {}
void OnAutoSyncDialogCreated() {}
void OnAutoSyncConfirm() {}
void OnAutoSyncCancel() {}
void OnAutoSyncTimer() {}

bool InstallTrayIcon() { return false; }
bool ShowTrayBalloon(const rt::Text&, const rt::Text&) { return false; }

void ToggleRememberPosition() {}
void ToggleRememberTimeZone() {}
void LoadPositionSettings() {}
void LoadSwitchSettings() {}
void SaveSettings() {}

void CreateDesktopShortcutsOnce() {}
void ToggleStartWithWindows() {}

void OnUpdateClicked() {}
void HandleUpdateHandoff() {}
void ReleaseUpdateLock() {}

void StartSpinner() {}
void OnSpinnerTick() {}
void OnSpinnerPhaseTick() {}
void ReleaseSpinnerFont() {}

void OpenShutdownPlugin() {}
void OpenMiniClockPlugin() {}

const rt::ByteSet kSwitchOnNormalImage;
const rt::ByteSet kSwitchOnHoverImage;
const rt::ByteSet kSwitchOnPressedImage;
const rt::ByteSet kSwitchOffNormalImage;
const rt::ByteSet kSwitchOffActiveImage;

}  // namespace velkora
