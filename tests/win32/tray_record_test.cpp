// The record that Shell_NotifyIconA receives for the tray icon's add and for
// a balloon, filled through the program's own table of external functions.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "dll_commands.h"
#include "rt/dllcommand.h"
#include "tray_record.h"

namespace {

TEST(TrayRecord, TheAddAndABalloonCarryTheirFieldsAndWholeCharacters) {
    velkora::InstallDllCommands();
    NOTIFYICONDATAA r{};
    const HWND window = reinterpret_cast<HWND>(0x1234);
    const HICON icon = reinterpret_cast<HICON>(0x5678);
    velkora::FillTrayRecordForAdd(r, window, icon);
    EXPECT_EQ(sizeof(void*) == 4 ? 488u : 504u, r.cbSize);
    EXPECT_EQ(window, r.hWnd);
    EXPECT_EQ(1u, r.uID);
    EXPECT_EQ(UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP), r.uFlags);
    EXPECT_EQ(0x3039u, r.uCallbackMessage);
    EXPECT_EQ(icon, r.hIcon);
    EXPECT_STREQ("Velkora", r.szTip);

    velkora::FillTrayRecordForBalloon(r, "Velkora6", "提示：程序已最小化");
    EXPECT_EQ(UINT(NIF_INFO), r.uFlags);
    EXPECT_STREQ("提示：程序已最小化", r.szInfo);
    EXPECT_STREQ("Velkora6", r.szInfoTitle);
    EXPECT_EQ(DWORD(NIIF_INFO), r.dwInfoFlags);
    EXPECT_EQ(icon, r.hIcon);

    // Cut to the fields at a whole character: the odd "a" would leave half a
    // character at the title's 63rd byte.
    rt::Text title = "a", text;
    while (title.size() < 80) title += "汉";
    while (text.size() < 300) text += "汉";
    velkora::FillTrayRecordForBalloon(r, title, text);
    EXPECT_EQ(title.substr(0, 63), r.szInfoTitle);
    EXPECT_EQ(text.substr(0, 254), r.szInfo);
    rt::SetDllCommandTable(nullptr, 0);
}

}  // namespace
