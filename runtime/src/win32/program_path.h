// The running program's folder for the wide calls.
#pragma once

#include "wide_text.h"

namespace rt::win32 {

// The folder of the running program (in a plug-in: of the EXE that loaded
// it), no trailing "\": by the name ProgramDirectory gives when that names
// the folder, so that the two agree; else by the folder's own name.
WideText ProgramDirectoryWide();

}  // namespace rt::win32
