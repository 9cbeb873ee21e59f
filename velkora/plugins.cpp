// Opening the two plug-ins. Each entry runs its window modally on this
// thread and returns when the window is gone; the layer binds the entry at
// its first call, checks the stack after it, and treats a missing library or
// export as fatal.
#include "dll_commands.h"
#include "handlers.h"
#include "os_call.h"

namespace velkora {

void OpenShutdownPlugin() { CallOs(kPowerEntry); }

void OpenMiniClockPlugin() { CallOs(kClockEntry); }

}  // namespace velkora
