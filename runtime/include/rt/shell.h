// Message boxes, the shell, special folders and shortcuts.
#pragma once

#include <optional>

#include "rt/values.h"

namespace rt {

// MessageBoxA with no owner; MB_TASKMODAL is added unless the flags ask for
// MB_SYSTEMMODAL. Caption defaults to "信息：". Returns the button:
// 0 OK, 1 Cancel, 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No.
int ShowMessageBox(const Text& content, int flags = 0,
                   const std::optional<Text>& caption = std::nullopt);

// ShellExecuteA with no owner. Verb 1 edit, 2 explore, 3 find, 4 open,
// 5 print, other: default. No directory: the current one. Show: SW_SHOWNORMAL.
void ShellOpen(int verb, const Text& file,
               const std::optional<Text>& parameters = std::nullopt,
               const std::optional<Text>& directory = std::nullopt,
               std::optional<int> showMode = std::nullopt);

// Codes: 1 Personal, 2 Favorites, 3 Desktop directory, 4 Fonts, 5 Start menu,
// 6 Programs, 7 Startup, 8 AppData, 9 Windows dir, 10 System dir, 11 Temp.
// Always ends in "\"; "" when not found or the code is outside 1..11.
Text SpecialFolderPath(int code);

// IShellLinkA: path := target, show command 5, then description, arguments
// and working directory when given; saved through IPersistFile under
// linkPath (+".lnk" when its file name has no "."), replacing a file there.
bool CreateShortcut(const Text& linkPath, const Text& target,
                    const std::optional<Text>& description = std::nullopt,
                    const std::optional<Text>& arguments = std::nullopt,
                    const std::optional<Text>& workingDirectory = std::nullopt);

}  // namespace rt
