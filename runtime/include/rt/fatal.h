// The one fatal-error path. Portable code raises it; the Win32 side installs
// the handler that shows the "运行时出错!" box and ends the process with -1.
#pragma once

#include "rt/values.h"

namespace rt {

// code 0 means "no error number".
using FatalHandler = void (*)(int code, const Text& message);

// Installs the handler; returns the previous one. The default handler writes
// the message to stderr and aborts.
FatalHandler SetFatalHandler(FatalHandler handler);

// Never returns: the handler ends the process (or, in tests, throws).
[[noreturn]] void RaiseFatal(int code, const Text& message);

}  // namespace rt
