// Online update: one worker thread reads the server's ver.ini, replaces each
// plug-in whose version differs and, for a new main program, hands over to
// the downloaded temp.exe (update_handoff.cpp).
#include "update.h"

#include <windows.h>

#include <optional>

#include "core/pe_image.h"
#include "handlers.h"
#include "rt/clock.h"
#include "rt/files.h"
#include "rt/handles.h"
#include "rt/net.h"
#include "rt/numbers.h"
#include "rt/program.h"
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
        HandOverTo(InProgramDirectory(kTempProgram));
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

}  // namespace

int DownloadToFile(const rt::Text& fileName, const rt::Text& url, ImageKind kind) {
    const rt::HttpResult answer = rt::HttpGet(url, kProgramFileLimit);
    if (!IsSuccessStatus(answer.status) || !answer.complete || !IsProgramImage(answer.body, kRunningMachine, kind))
        return 0;
    const bool replaced = rt::ReplaceFileWhole(
        InProgramDirectory(fileName), [&](const rt::Text& temporary) { return rt::WriteWholeFile(temporary, {answer.body}); },
        rt::kTryOnce);  // e.g. a plug-in that is loaded right now: not this time
    return replaced ? 1 : 0;
}

void CheckAndApplyUpdates() {
    rt::EnterLock(UpdateLock);
    // A run that ended while its worker was still downloading (the window
    // was closed meanwhile) may have left its temporary file behind.
    rt::RemoveLeftoverReplaceFiles(rt::ProgramDirectory());
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

}  // namespace velkora
