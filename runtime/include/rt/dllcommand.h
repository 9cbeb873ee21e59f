// External library functions bound by file and export name at first call,
// called stdcall with a stack-depth check after every call.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace rt {

// Where a named library is looked for. A name with ":" is a full path and
// is loaded as it stands.
enum class LibraryPlace {
    SystemFolder,   // a system library: the system folder and nowhere else
    ProgramFolder,  // one of the suite's own plug-ins: beside the program, and only there
};

struct DllCommandEntry {
    const char* library;  // "" = the six system libraries, in order
    const char* exportName;
    LibraryPlace place = LibraryPlace::SystemFolder;
};

// Installs the program's table (fixed at build time). Entries are bound at
// their first call and cached; libraries are freed when the layer ends.
void SetDllCommandTable(const DllCommandEntry* entries, int count);

// Calls entry n with the given stdcall arguments (pointers cast to
// uintptr_t; 32 bits wide in the shipped build, register-wide in the 64-bit
// twin so that pointers survive) and returns its result. A missing library or export is
// fatal ("无法找到指定DLL库文件“%s”中的输出命令“%s”"); an unbalanced stack after
// the call is fatal error 6, "调用DLL命令后发现堆栈错误".
uintptr_t CallDllCommand(int entry, std::initializer_list<uintptr_t> args = {});

// The raw call used above: pushes args (last first), calls fn, and reports
// whether the stack depth came back to where it was. In the 64-bit twin the
// Microsoft x64 convention applies (rcx, rdx, r8, r9, then the stack above
// the shadow space); result may be null.
bool CallStdcallChecked(const void* fn, const uintptr_t* args, int count, uintptr_t* result);

// Releases every library bound so far (run by the layer's end).
void FreeDllCommandLibraries();

}  // namespace rt
