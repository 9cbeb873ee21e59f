// The notification-area icon's record: the shell's own NOTIFYICONDATAA, of
// which the program keeps one copy and fills the fields of each call by name.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "rt/values.h"

namespace velkora {

constexpr UINT kTrayCallbackMessage = 0x3039;
constexpr UINT kTrayIconId = 1;

// The add: the record's size (as far as the balloon fields), the window, icon
// id 1, the callback message, the small icon and the tip "Velkora".
void FillTrayRecordForAdd(NOTIFYICONDATAA& record, HWND window, HICON icon);

// A balloon: its flag alone, the texts (each cut to its field at a whole
// character) and the information icon; the rest stays as the add left it.
void FillTrayRecordForBalloon(NOTIFYICONDATAA& record, const rt::Text& title, const rt::Text& text);

}  // namespace velkora
