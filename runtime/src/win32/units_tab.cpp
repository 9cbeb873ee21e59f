// Tab controls: page units are the window's own children placed at the tab
// control's offset, shown only while their page is current.
#include <windows.h>
#include <commctrl.h>

#include "window_internal.h"

namespace rt::detail {

void ShowTabPage(Window* w, Unit* tab, int page) {
    int count = static_cast<int>(::SendMessageA(tab->hwnd, TCM_GETITEMCOUNT, 0, 0));
    if (page < 0 || (count > 0 && page >= count)) return;
    tab->currentPage = page;
    if (static_cast<int>(::SendMessageA(tab->hwnd, TCM_GETCURSEL, 0, 0)) != page)
        ::SendMessageA(tab->hwnd, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    for (auto& u : w->units)
        if (u->tpl.container == tab->tpl.id) ApplyUnitVisibility(w, u.get());
}

}  // namespace rt::detail
