// The three switches of the settings tab, shared by settings.cpp and
// shortcuts.cpp (the start-with-Windows switch).
#pragma once

#include <cstdint>

#include "rt/values.h"

namespace velkora {

// 0 off, 1 on; all off at start, each button showing its off images.
extern int32_t RememberPositionOn;
extern int32_t StartWithWindowsOn;
extern int32_t RememberTimeZoneOn;

// Properties 10, 11 and 12 of a graphic button of the main window.
void ShowSwitchOnImages(int unit);
void ShowSwitchOffImages(int unit);

// ProgramDirectory + "\config.ini".
rt::Text SettingsFilePath();

}  // namespace velkora
