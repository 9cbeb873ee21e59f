// The layer's start-up and end, and the process-wide command line.
#pragma once

#include <windows.h>

#include "rt/values.h"

namespace rt {

// Start-up of the layer in a program: takes the program's directory and file
// name from its own path, makes that directory current, makes this thread
// the UI thread (where the first use of COM initialises OLE), installs the
// fatal handler and creates the hidden message window. Call first thing in
// WinMain.
void StartProgramLayer(HINSTANCE instance);

// Start-up of the layer in a plug-in library (from DllMain): same, but makes
// the host program's directory current again and leaves OLE to the host.
void StartLibraryLayer(HINSTANCE instance);

// Runs the thread's message loop until no window of this program is left.
// Returns the exit code to end with (0 on a normal close).
int RunMessageLoop();

// Registers the clean-up routine that EndProgram (and a normal end) runs once.
void RegisterCleanup(void (*routine)());

// From the moment it starts no more events reach handlers; runs the clean-up
// routine, frees the DllCommand libraries and ends the process with the code.
// From another thread it hands the request to the UI thread.
[[noreturn]] void EndProgram(int exitCode);

// True once EndProgram has begun.
bool IsEnding();

// The arguments of this process's command line (GetCommandLineA).
TextArray CommandLineArgs();

// "运行时出错!" box and exit code -1. code 0: no error number.
[[noreturn]] void FatalRuntimeError(int code, const Text& message);

// Routes RaiseFatal to FatalRuntimeError and makes a failed allocation fatal
// ("分配 %d 字节内存失败!"). Part of both layer start-ups; callable again.
void InstallFatalHandlers();

}  // namespace rt
