// The synchronisation of the clock from the time server's "Date" header.
#include <windows.h>

#include "core/http_date.h"
#include "core/sync_gate.h"
#include "core/sync_time.h"
#include "dll_commands.h"
#include "handlers.h"
#include "os_call.h"
#include "rt/clock.h"
#include "rt/com.h"
#include "rt/shell.h"
#include "rt/window.h"
#include "sync_state.h"
#include "time_request.h"
#include "unit_ids.h"
#include "velkora_config.h"

namespace velkora {

namespace {

namespace mw = main_window;

// Fixed at build time; tests build against their own local server.
const rt::Text TimeServerUrl = VELKORA_TIME_SERVER_URL;
constexpr const char* kRequestProgId = "WinHttp.WinHttpRequest.5.1";

SyncGate& Gate() {
    static SyncGate gate;
    return gate;
}

// The request's wait may serve the window's messages (Wine's object does,
// and nothing says Windows' never will): a close carried out meanwhile has
// destroyed the main window by the time the request returns.
bool MainWindowGone() { return !rt::IsCreated(kMainWindow); }

}  // namespace

bool SyncInProgress() { return Gate().Busy(); }
void RunAfterSync(void (*routine)()) { Gate().Defer(routine); }

void SyncNow() {
    // The failure box's wait dispatches events; nothing there may start a
    // second run inside this one.
    if (Gate().Busy() || MainWindowGone()) return;
    Gate().Begin();
    rt::SetUnitProperty(kMainWindow, mw::超级按钮7, rt::kPropDisabled, 1);
    rt::SetUnitProperty(kMainWindow, mw::校时结果, rt::kPropText, "欢迎使用Velkora6！");
    AppendLog("正在开始校对时间");
    AppendLog("请稍等...");
    RunTimeSync();
    rt::SetUnitProperty(kMainWindow, mw::超级按钮7, rt::kPropDisabled, 0);
    if (SyncGate::Routine waiting = Gate().End()) waiting();
}

void AppendLog(const rt::Text& text) {
    rt::EditAppendText(kMainWindow, mw::校时结果, {"\r\n" + text});
}

void RunTimeSync() {
    if (CallOs(kIsNTAdmin, 0, nullptr) == 0) {
        AppendLog("错误：请使用管理员身份校时！");
        return;
    }
    const uint32_t start = rt::TickCount();
    const int index = rt::GetUnitInt(kMainWindow, mw::列表框1, rt::kPropListIndex);
    if (index < 0) {
        // No zone to add (a remembered index of -1, or one past the list):
        // the clock is not set from a made-up offset.
        AppendLog("错误：请选择时区");
        return;
    }
    const int offset = rt::ListItemData(kMainWindow, mw::列表框1, index);
    const int result = FetchServerTimeAndSetClock(TimeServerUrl, offset);
    if (result == kClockSet) {
        AppendLog(SuccessLogLine(TickDifference(rt::TickCount(), start)));
    } else if (result == kClockRefused) {
        AppendLog("错误：时间修改失败！");
    } else {
        AppendLog("错误：未知原因");
    }
}

int FetchServerTimeAndSetClock(const rt::Text& url, int offsetHours) {
    rt::ComObject request;  // released on every return
    if (!rt::ComCreate(request, kRequestProgId)) return kNoServerTime;
    uint32_t t1 = 0;
    const rt::Text header = RequestServerDate(request, url, &t1);
    // Closed while the request waited: the program is ending, and neither
    // the clock nor a box of ours should outlive its window.
    if (header.empty() || MainWindowGone()) return kNoServerTime;

    rt::DateTime date;
    if (ParseHttpDate(header, date, rt::Now()) == 0) return kNoServerTime;
    const uint32_t roundTrip = TickDifference(rt::TickCount(), t1);
    date = CorrectServerTime(date, offsetHours, roundTrip);

    int result = kClockSet;
    if (!rt::SetLocalClock(date)) {
        rt::ShowMessageBox("时间修改失败，请检查你是否有足够的权限修改本机时间！", MB_ICONERROR, rt::Text("错误"));
        result = kClockRefused;
    }
    rt::ComRelease(request);
    return result;
}

}  // namespace velkora
