#include "tray_record.h"

#include "core/text_cut.h"
#include "dll_commands.h"
#include "os_call.h"

namespace velkora {

namespace {

// With its NUL, and never ending on half a double-byte character.
template <size_t N>
void CopyText(char (&field)[N], const rt::Text& text) {
    const rt::Text cut = CutToWholeChars(text, N - 1);
    CallOs(kLstrcpyn, field, cut.c_str(), static_cast<int>(cut.size()) + 1);
}

}  // namespace

void FillTrayRecordForAdd(NOTIFYICONDATAA& record, HWND window, HICON icon) {
    record.cbSize = NOTIFYICONDATAA_V2_SIZE;
    record.hWnd = window;
    record.uID = kTrayIconId;
    record.uFlags = NIF_TIP | NIF_ICON | NIF_MESSAGE;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon;
    CopyText(record.szTip, "Velkora");
}

void FillTrayRecordForBalloon(NOTIFYICONDATAA& record, const rt::Text& title, const rt::Text& text) {
    record.uFlags = NIF_INFO;
    CopyText(record.szInfo, text);
    CopyText(record.szInfoTitle, title);
    record.dwInfoFlags = NIIF_INFO;
}

}  // namespace velkora
