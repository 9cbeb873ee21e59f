// The common controls library (the tab control, tooltips): bound and
// initialised on the UI thread before the first of its controls is made.
#include <windows.h>
#include <commctrl.h>

#include "late_bound.h"
#include "window_internal.h"

namespace rt::detail {

void EnsureCommonControls() {
    static const bool ready = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        return ComCtl32().InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)ready;
}

}  // namespace rt::detail
