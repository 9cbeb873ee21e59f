// Message boxes, ShellExecute and the special folders.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "gbk_path.h"
#include "late_bound.h"
#include "rt/shell.h"

namespace rt {

int ShowMessageBox(const Text& content, int flags, const std::optional<Text>& caption) {
    UINT style = static_cast<UINT>(flags);
    if (!(style & MB_SYSTEMMODAL)) style |= MB_TASKMODAL;
    const Text title = caption.value_or("信息：");
    const int pressed = ::MessageBoxA(nullptr, content.c_str(), title.c_str(), style);
    // IDOK (1) .. IDNO (7) become 0 .. 6.
    return (pressed >= IDOK && pressed <= IDNO) ? pressed - IDOK : -1;
}

void ShellOpen(int verb, const Text& file, const std::optional<Text>& parameters,
               const std::optional<Text>& directory, std::optional<int> showMode) {
    static const char* const kVerbs[] = {"edit", "explore", "find", "open", "print"};
    const char* verbText = (verb >= 1 && verb <= 5) ? kVerbs[verb - 1] : nullptr;
    // A null directory is the current one.
    detail::Shell32().ShellExecuteA(nullptr, verbText, file.c_str(), parameters ? parameters->c_str() : nullptr,
                    directory ? directory->c_str() : nullptr, showMode.value_or(SW_SHOWNORMAL));
}

Text SpecialFolderPath(int code) {
    static const int kFolders[] = {CSIDL_PERSONAL,  CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY,
                                   CSIDL_FONTS,     CSIDL_STARTMENU, CSIDL_PROGRAMS,
                                   CSIDL_STARTUP,   CSIDL_APPDATA};
    char buf[MAX_PATH + 2] = {};
    DWORD n = 0;
    if (code >= 1 && code <= 8) {
        if (!detail::Shell32().SHGetSpecialFolderPathA(nullptr, buf, kFolders[code - 1], FALSE)) return Text();
        n = static_cast<DWORD>(lstrlenA(buf));
    } else if (code == 9) {
        n = ::GetWindowsDirectoryA(buf, MAX_PATH);
    } else if (code == 10) {
        n = ::GetSystemDirectoryA(buf, MAX_PATH);
    } else if (code == 11) {
        n = ::GetTempPathA(MAX_PATH, buf);
    } else {
        return Text();
    }
    if (n == 0 || n >= MAX_PATH) return Text();
    Text path(buf, n);
    if (!win32::EndsWithBackslash(path)) path += '\\';
    return path;
}

}  // namespace rt
