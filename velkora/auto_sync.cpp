// Automatic re-synchronisation: the interval dialog and the timer 时钟2.
#include <windows.h>

#include "core/balloon_text.h"
#include "handlers.h"
#include "layouts.h"
#include "rt/clock.h"
#include "rt/numbers.h"
#include "rt/window.h"
#include "sync_state.h"
#include "unit_ids.h"

namespace velkora {

namespace {
namespace mw = main_window;
namespace dlg = auto_sync_dialog;

int32_t AutoSyncPeriod() {
    return rt::GetUnitInt(kMainWindow, mw::时钟2, rt::kPropInterval);
}
}  // namespace

void OpenAutoSyncDialog() {
    rt::LoadWindow(AutoSyncDialogLayout(), nullptr, false);
}

void OnAutoSyncDialogCreated() {
    rt::SetUnitProperty(kAutoSyncDialog, dlg::编辑框1, rt::kPropText,
                        PeriodToMinutesText(AutoSyncPeriod()));
}

void OnAutoSyncConfirm() {
    // The sync's request may serve the dialog's messages while it waits
    // (Wine's object does): a second confirm meanwhile changes nothing, and
    // an Esc that closes the dialog does not take the confirmed text with it.
    static bool confirming = false;
    if (confirming) return;
    rt::Text minutes = rt::GetUnitText(kAutoSyncDialog, dlg::编辑框1, rt::kPropText);
    if (minutes.empty()) return;
    const HWND dialog = rt::GetWindowHandle(kAutoSyncDialog);
    confirming = true;
    SyncNow();
    confirming = false;
    // Read again, as typed by now, only from the dialog that was confirmed
    // (not from one opened anew during the sync).
    const bool stillOpen = rt::GetWindowHandle(kAutoSyncDialog) == dialog;
    if (stillOpen) minutes = rt::GetUnitText(kAutoSyncDialog, dlg::编辑框1, rt::kPropText);
    // The same period leaves the timer on its old schedule; another restarts it.
    rt::SetUnitProperty(kMainWindow, mw::时钟2, rt::kPropInterval, MinutesToPeriod(rt::ToInteger(minutes)));
    if (stillOpen) rt::DestroyWindowOrUnit(kAutoSyncDialog);
}

void OnAutoSyncCancel() {
    rt::SetUnitProperty(kMainWindow, mw::时钟2, rt::kPropInterval, 0);
    rt::DestroyWindowOrUnit(kAutoSyncDialog);
}

void OnAutoSyncTimer() {
    if (SyncInProgress()) {
        // A tick inside a running synchronisation (its failure box pumps
        // messages) comes once, when that run is over.
        RunAfterSync(&OnAutoSyncTimer);
        return;
    }
    SyncNow();
    const rt::DateTime ended = rt::Now();  // already the corrected clock
    ShowTrayBalloon("Velkora6", AutoSyncBalloonText(ended, AutoSyncPeriod()));
}

}  // namespace velkora
