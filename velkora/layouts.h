// The stored layouts of the main program's two windows.
#pragma once

#include "rt/window_template.h"

namespace velkora {

// The start window: header buttons and four tab pages.
const rt::WindowTemplate& MainWindowLayout();

// The small always-on-top dialog that asks for the automatic-sync interval.
const rt::WindowTemplate& AutoSyncDialogLayout();

}  // namespace velkora
