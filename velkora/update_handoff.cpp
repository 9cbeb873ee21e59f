// The self-update's hand-over across restarts: the old program starts the
// downloaded temp.exe with "copy <old program>"; temp.exe puts a copy of
// itself in place of the old program and starts that with "del <temp.exe>";
// the new program deletes temp.exe and greets.
#include <windows.h>

#include "handlers.h"
#include "rt/clock.h"
#include "rt/files.h"
#include "rt/handles.h"
#include "rt/program.h"
#include "rt/shell.h"
#include "rt/window.h"
#include "unit_ids.h"

namespace velkora {

namespace {

const int kOpenDefaultVerb = 0;
const char kCopyStep[] = "copy";
const char kDeleteStep[] = "del";

// Starts `program` with the next step, then closes this one.
void StartStep(const rt::Text& program, const char* step, const rt::Text& path) {
    rt::ShellOpen(kOpenDefaultVerb, program, rt::Text(step) + " \"" + path + "\"");
    rt::DestroyWindowOrUnit(kMainWindow);
}

// The program that ran as temp.exe still holds the single-instance mutex
// until it has ended; the restarted program must not take it for a second
// running instance.
void WaitForSingleInstanceFree() {
    rt::RetryWhileBusy([] {
        const rt::ScopedHandle m(OpenMutexA(SYNCHRONIZE, FALSE, SingleInstanceName));
        return !m;
    });
}

}  // namespace

void HandOverTo(const rt::Text& newProgram) { StartStep(newProgram, kCopyStep, rt::ProgramPath()); }

void HandleUpdateHandoff() {
    const rt::TextArray args = rt::CommandLineArgs();
    if (args.Count() != 2) return;
    const rt::Text& keyword = args.At(1);
    const rt::Text& path = args.At(2);
    if (keyword == kDeleteStep) {
        rt::DeleteFileWhenFree(path);
        WaitForSingleInstanceFree();
        rt::SetUnitProperty(kMainWindow, 0, rt::kPropVisible, 1);
        rt::ProcessPendingEvents();
        rt::ShowMessageBox("尽情使用吧！", 0);
        return;
    }
    if (keyword == kCopyStep) {
        // Never deleted first nor written in place: when it stays busy for
        // good, the old program is still whole, and it is the one started
        // below.
        const rt::Text own = rt::ProgramPath();
        rt::ReplaceFileWhole(path, [&](const rt::Text& temporary) { return rt::CopyFileTo(own, temporary); },
                             rt::kRetryAboutFiveSeconds);
        rt::SleepMs(10);
        StartStep(path, kDeleteStep, own);
    }
}

}  // namespace velkora
