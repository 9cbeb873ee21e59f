// Online update: one worker thread reads the server's ver.ini, replaces each
// plug-in whose version differs and, for a new main program, hands over to
// the downloaded temp.exe, which copies itself over the old program file.
#include "update.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <functional>
#include <optional>

#include "core/pe_image.h"
#include "handlers.h"
#include "rt/clock.h"
#include "rt/files.h"
#include "rt/handles.h"
#include "rt/net.h"
#include "rt/numbers.h"
#include "rt/program.h"
#include "rt/shell.h"
#include "rt/threads.h"
#include "rt/window.h"
#include "unit_ids.h"
#include "velkora_config.h"

namespace velkora {

namespace {

namespace mw = main_window;

const char UpdateServerHost[] = VELKORA_UPDATE_SERVER_HOST;
const char kVersionSection[] = "文件版本";
const char kBuiltInVersion[] = "600000";
const char kTempProgram[] = "temp.exe";
const int kPingTimeoutMs = 2500;
const int kOpenDefaultVerb = 0;
// What an answer may hold: ver.ini is a few lines, a program file a few
// hundred kilobytes.
constexpr size_t kVersionFileLimit = 64 * 1024;
constexpr size_t kProgramFileLimit = 16 * 1024 * 1024;
#ifdef _WIN64
constexpr uint16_t kRunningMachine = kMachineAmd64;
#else
constexpr uint16_t kRunningMachine = kMachineI386;
#endif

rt::Text MainProgramVersion, PowerVersion, ClockVersion;

rt::LockId UpdateLock = 0;
bool g_updateLockCreated = false;
// Manual-reset event, set once the worker has left UpdateLock for good.
rt::ScopedHandle g_workerLeft;

rt::Text InProgramDirectory(const rt::Text& name) { return rt::ProgramDirectory() + "\\" + name; }
rt::Text Quoted(const rt::Text& path) { return "\"" + path + "\""; }

bool IsSuccessStatus(int status) { return status >= 200 && status <= 299; }

// ver.ini as text; an error page or a cut-off answer reads as no file, so
// every key then reads "" as for a version file that was not fetched. None
// at all for an answer that would not end or was too long: the server is
// then taken as out of reach.
std::optional<rt::Text> FetchVersionFile(const rt::Text& url) {
    const rt::HttpResult answer = rt::HttpGet(url, kVersionFileLimit);
    if (answer.overLimit) return std::nullopt;
    if (!IsSuccessStatus(answer.status) || !answer.complete) return rt::Text();
    return rt::ToText(answer.body);
}

void ShowStatus(const char* text) {
    rt::SetUnitProperty(kMainWindow, mw::标签4, rt::kPropVisible, 1);
    rt::SetUnitProperty(kMainWindow, mw::标签4, rt::kPropText, text);
    rt::SetUnitProperty(kMainWindow, mw::加载中, rt::kPropVisible, 0);
}

const char kCannotConnect[] = "无法连接到服务器";
const char kUpToDate[] = "已是最新版本";
const char kUpdated[] = "更新完成";

void RunUpdate() {
    const rt::Text host = UpdateServerHost;
    if (host.empty() || rt::PingHost(host, kPingTimeoutMs) == -1) {
        ShowStatus(kCannotConnect);
        return;
    }
    rt::SetUnitProperty(kMainWindow, mw::标签4, rt::kPropVisible, 1);  // "正在更新"
    MainProgramVersion = PowerVersion = ClockVersion = kBuiltInVersion;

    const rt::Text base = "http://" + host;
    const std::optional<rt::Text> fetched = FetchVersionFile(base + "/ver.ini");
    if (!fetched) {
        ShowStatus(kCannotConnect);
        return;
    }
    const rt::Text& versions = *fetched;
    bool replaced = false;
    bool failed = false;
    auto refresh = [&](const char* key, const rt::Text& builtIn, const char* file, const char* path) {
        if (rt::IniReadFromText(versions, kVersionSection, key) == builtIn) return;
        if (DownloadToFile(file, base + path, ImageKind::Library)) replaced = true;
        else failed = true;
    };
    refresh("定时关机", PowerVersion, "Power.dll", "/e/power.dll");
    refresh("迷你时钟", ClockVersion, "Clock.dll", "/e/Clock.dll");

    if (rt::IniReadFromText(versions, kVersionSection, "主程序") != MainProgramVersion) {
        rt::DeleteFileAt(InProgramDirectory(kTempProgram));
        if (!DownloadToFile(kTempProgram, base + "/e/temp.exe", ImageKind::Executable)) {
            // Starting a missing or broken temp.exe would only close the
            // program: stay, and say the new version could not be had.
            ShowStatus(kCannotConnect);
            return;
        }
        rt::SleepMs(100);
        // A program that has begun to end (its fatal box may be up) hands
        // over to nothing.
        if (rt::IsEnding()) return;
        rt::ShellOpen(kOpenDefaultVerb, InProgramDirectory(kTempProgram), "copy " + Quoted(rt::ProgramPath()));
        rt::DestroyWindowOrUnit(kMainWindow);
        return;
    }
    ShowStatus(failed ? kCannotConnect : replaced ? kUpdated : kUpToDate);
}

// A download held up by the server can keep the worker for as long as the
// connection lives; closing the window waits for it no longer than this.
constexpr DWORD kWorkerGraceMs = 1000;

// UI thread, while the main window is being destroyed: the worker may still
// be inside the lock and may be setting label texts, which are sent to this
// thread; keep serving sent messages (and nothing else) while waiting for it
// to get out. True once it is out.
bool WorkerLeftInTime() {
    if (!g_workerLeft) return false;  // cannot tell: take it as still inside
    HANDLE left = g_workerLeft.Get();
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= kWorkerGraceMs) return false;
        const DWORD r = MsgWaitForMultipleObjects(1, &left, FALSE, kWorkerGraceMs - waited, QS_SENDMESSAGE);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// Downloads, and the hand-over's copy, are written to
// GetTempFileNameA(<the target's directory>, "vku") first: "vku", one to
// four hex digits, ".tmp".
const char kDownloadPrefix[] = "vku";
const char kDownloadSuffix[] = ".tmp";

bool IsDownloadFileName(const char* name) {
    const size_t length = std::strlen(name), maxDigits = 4;
    const size_t prefix = sizeof kDownloadPrefix - 1, suffix = sizeof kDownloadSuffix - 1;
    if (length <= prefix + suffix || length > prefix + maxDigits + suffix) return false;
    if (_strnicmp(name, kDownloadPrefix, prefix) != 0 || _stricmp(name + length - suffix, kDownloadSuffix) != 0)
        return false;
    for (size_t i = prefix; i < length - suffix; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

// A run that ended while its worker was still downloading (the window was
// closed meanwhile) may have left its temporary file behind.
void RemoveInterruptedDownloads() {
    const rt::Text pattern = InProgramDirectory(rt::Text(kDownloadPrefix) + "*" + kDownloadSuffix);
    WIN32_FIND_DATAA found;
    const rt::ScopedFind search(FindFirstFileA(pattern.c_str(), &found));
    if (!search) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsDownloadFileName(found.cFileName))
            rt::DeleteFileAt(InProgramDirectory(found.cFileName));
    } while (FindNextFileA(search.Get(), &found));
}

// A file that is still in use (the previous program ending, a process
// leaving temp.exe, a virus scanner reading it) cannot be replaced or
// deleted yet: try again for about five seconds. True once `attempt` is.
constexpr int kBusyFileAttempts = 50;
constexpr int kBusyFilePauseMs = 100;

template <typename Attempt>
bool RetryWhileBusy(Attempt attempt) {
    for (int i = 0; i < kBusyFileAttempts; ++i) {
        if (attempt()) return true;
        rt::SleepMs(kBusyFilePauseMs);
    }
    return false;
}

bool FileExists(const rt::Text& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Fills a new file beside `target` and then moves it over the target: the
// old file stays whole until the move, so a full disk or a cut leaves it as
// it was. Once the program has begun to end, no file is changed.
bool ReplaceWhole(const rt::Text& target, const std::function<bool(const char* temporary)>& fill,
                  bool retryWhileBusy) {
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD n = GetFullPathNameA(target.c_str(), MAX_PATH, full, &name);
    if (n == 0 || n >= MAX_PATH || name == nullptr || rt::IsEnding()) return false;
    const rt::Text directory(full, name);
    char temporary[MAX_PATH] = {};
    if (GetTempFileNameA(directory.c_str(), kDownloadPrefix, 0, temporary) == 0) return false;
    auto move = [&] {
        return !rt::IsEnding() &&
               MoveFileExA(temporary, full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    };
    const bool replaced = fill(temporary) && (retryWhileBusy ? RetryWhileBusy(move) : move());
    if (!replaced) DeleteFileA(temporary);
    return replaced;
}

void DeleteWhenFree(const rt::Text& path) {
    RetryWhileBusy([&] { return rt::DeleteFileAt(path) || !FileExists(path); });
}

// The program that ran as temp.exe still holds the single-instance mutex
// until it has ended; the restarted program must not take it for a second
// running instance.
void WaitForSingleInstanceFree() {
    RetryWhileBusy([] {
        const rt::ScopedHandle m(OpenMutexA(SYNCHRONIZE, FALSE, SingleInstanceName));
        return !m;
    });
}

}  // namespace

int DownloadToFile(const rt::Text& fileName, const rt::Text& url, ImageKind kind) {
    const rt::HttpResult answer = rt::HttpGet(url, kProgramFileLimit);
    if (!IsSuccessStatus(answer.status) || !answer.complete || !IsProgramImage(answer.body, kRunningMachine, kind))
        return 0;
    const bool replaced = ReplaceWhole(
        InProgramDirectory(fileName), [&](const char* temporary) { return rt::WriteWholeFile(temporary, {answer.body}); },
        false);  // e.g. a plug-in that is loaded right now: not this time
    return replaced ? 1 : 0;
}

void CheckAndApplyUpdates() {
    rt::EnterLock(UpdateLock);
    RemoveInterruptedDownloads();
    RunUpdate();
    rt::LeaveLock(UpdateLock);
}

void UpdateThreadEntry(int) {
    CheckAndApplyUpdates();
    SetEvent(g_workerLeft.Get());
}

void OnUpdateClicked() {
    StartSpinner();
    rt::SetUnitProperty(kMainWindow, mw::超级按钮11, rt::kPropVisible, 0);
    UpdateLock = rt::CreateLock();
    g_updateLockCreated = true;
    g_workerLeft.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!rt::StartThread(UpdateThreadEntry)) SetEvent(g_workerLeft.Get());
}

void ReleaseUpdateLock() {
    if (!g_updateLockCreated) return;
    // A worker still inside keeps its lock and its event: it may yet leave
    // and signal them while the process ends around it.
    if (!WorkerLeftInTime()) return;
    rt::DeleteLock(UpdateLock);
    g_updateLockCreated = false;
    g_workerLeft.Reset();
}

void HandleUpdateHandoff() {
    const rt::TextArray args = rt::CommandLineArgs();
    if (args.Count() != 2) return;
    const rt::Text& keyword = args.At(1);
    const rt::Text& path = args.At(2);
    if (keyword == "del") {
        DeleteWhenFree(path);
        WaitForSingleInstanceFree();
        rt::SetUnitProperty(kMainWindow, 0, rt::kPropVisible, 1);
        rt::ProcessPendingEvents();
        rt::ShowMessageBox("尽情使用吧！", 0);
        return;
    }
    if (keyword == "copy") {
        const rt::Text own = rt::ProgramPath();
        // Never deleted first nor written in place: when it stays busy for
        // good, the old program is still whole, and it is the one started
        // below.
        ReplaceWhole(path, [&](const char* temporary) { return rt::CopyFileTo(own, temporary); }, true);
        rt::SleepMs(10);
        rt::ShellOpen(kOpenDefaultVerb, path, "del " + Quoted(own));
        rt::DestroyWindowOrUnit(kMainWindow);
    }
}

}  // namespace velkora
