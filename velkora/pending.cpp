// Temporary: removed as the routines land.
#include "handlers.h"

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

void OpenShutdownPlugin() {}
void OpenMiniClockPlugin() {}

}  // namespace velkora
