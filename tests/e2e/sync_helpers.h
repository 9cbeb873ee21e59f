// What the clock, tray, automatic-sync and single-instance end-to-end tests
// share: starting Velkora.exe, finding its windows, reading the log, and a
// time server on loopback.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/driver.h"
#include "support/http_server.h"
#include "../../velkora/unit_ids.h"

namespace e2e {

namespace mw = velkora::main_window;
namespace dlg = velkora::auto_sync_dialog;
using namespace std::chrono_literals;

inline const Text kMainTitle = "Velkora6";
inline const Text kGreeting = "欢迎使用Velkora6！";
inline const Text kStartLines = "欢迎使用Velkora6！\r\n正在开始校对时间\r\n请稍等...";

// Puts a fixture library in the system folder of the test's prefix in place
// of the system's own, and has Wine take it, while the object lives.
class SystemLibraryStandIn {
public:
    SystemLibraryStandIn(const Text& fixtureFolder, const Text& file)
        : path_(SystemFolder() + "\\" + file), saved_(path_ + ".saved"), order_({BaseName(file)}, "native,builtin") {
        ::MoveFileExA(path_.c_str(), saved_.c_str(), MOVEFILE_REPLACE_EXISTING);
        const Text fixture = Text(VELKORA_BIN_DIR) + "/fixtures/" + fixtureFolder + "/" + file;
        ::CopyFileA(fixture.c_str(), path_.c_str(), FALSE);
    }
    ~SystemLibraryStandIn() {
        ::DeleteFileA(path_.c_str());
        ::MoveFileExA(saved_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
private:
    static Text SystemFolder() {
        char folder[MAX_PATH] = {};
        ::GetSystemDirectoryA(folder, MAX_PATH);
        return folder;
    }
    static Text BaseName(const Text& file) { return file.substr(0, file.rfind('.')); }
    Text path_, saved_;
    DllOverride order_;
};

// Answers every request with the true UTC time early in a second, so that
// Wine accepts the clock write (it refuses changes over half a second).
inline HttpResponse TrueTimeAnswer(const HttpRequest&) {
    HttpServer::WaitUntilEarlyInASecond();
    HttpResponse r;
    r.omitDate = true;
    r.headers.push_back({"Date", HttpServer::HttpDateNow()});
    return r;
}

inline HttpResponse DateAnswer(const std::string& date) {
    HttpResponse r;
    r.omitDate = true;
    r.headers.push_back({"Date", date});
    return r;
}

// An answer held back for a while: the request's wait is what the program
// lives through meanwhile. Its date is unusable, so the run ends in
// "错误：未知原因" and never tries the clock.
inline HttpServer::Handler HeldAnswer(int holdMs) {
    HttpResponse r = DateAnswer("UTC");
    r.delayMs = holdMs;
    return HttpServer::Respond(r);
}

// A running Velkora.exe in its own program directory, run with TZ=UTC so
// that the list's "德国 英国（UTC）" entry gives the true local time.
class App {
public:
    // prepare, when given, works on the program directory before the start.
    explicit App(const Text& arguments = "", const std::function<void(ProgramDir&)>& prepare = {}) {
        dir_.CopyDeliverables();
        if (prepare) prepare(dir_);
        ::SetEnvironmentVariableA("TZ", "UTC");
        process_ = Process::Start(dir_.File("Velkora.exe"), arguments);
    }
    ProgramDir& Dir() { return dir_; }
    Process& Proc() { return process_; }
    DWORD Pid() const { return process_.Id(); }

    HWND Main(std::chrono::milliseconds timeout = 20s) {
        if (!main_) main_ = FindVisibleTopWindow(Pid(), kMainTitle, timeout);
        return main_;
    }
    HWND Unit(int id) { return Child(Main(), id); }
    Text Log() { return WindowText(Unit(mw::校时结果)); }

    // Picks the last time-zone entry, "德国 英国（UTC）", by keyboard.
    void ChooseUtc() {
        Click(Unit(mw::列表框1));
        PressKey(VK_END);
        WaitUntil([&] { return ListCurrent(Unit(mw::列表框1)) == 7; }, 5s);
    }

    // Waits for the main window and picks "德国 英国（UTC）"; false when the
    // window never shows.
    bool ReadyInUtc() {
        if (!Main()) return false;
        ChooseUtc();
        return true;
    }

    // Presses "立即校对" and waits until the run has written its result.
    // The log is emptied first so that a run that repeats the last one's
    // lines is still seen to end.
    Text SyncAndWait(std::chrono::milliseconds timeout = 60s) {
        HWND button = Unit(mw::超级按钮7);
        ::SendMessageA(Unit(mw::校时结果), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        Click(button);
        Text seen;
        WaitUntil([&] {
            seen = Log();
            return Enabled(button) && seen.size() > kStartLines.size();
        }, timeout);
        return seen;
    }

private:
    ProgramDir dir_;
    Process process_;
    HWND main_ = nullptr;
};

inline Text LastLine(const Text& log) {
    size_t at = log.rfind("\r\n");
    return at == Text::npos ? log : log.substr(at + 2);
}

inline int HeadRequests(const HttpServer& server, const std::string& path = "/123.123") {
    int n = 0;
    for (const HttpRequest& r : server.Requests())
        if (r.method == "HEAD" && r.path == path) ++n;
    return n;
}

// The visible balloons that the tray shows (texts of explorer's tooltips).
inline BOOL CALLBACK CollectVisibleBalloon(HWND w, LPARAM out) {
    if (ClassName(w) == "tooltips_class32" && IsWindowVisible(w)) {
        Text t = WindowText(w);
        if (!t.empty()) reinterpret_cast<std::vector<Text>*>(out)->push_back(t);
    }
    return TRUE;
}

inline std::vector<Text> VisibleBalloonTexts() {
    std::vector<Text> texts;
    EnumWindows(CollectVisibleBalloon, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

inline bool BalloonShown(const Text& text, std::chrono::milliseconds timeout = 10s) {
    return WaitUntil([&] {
        for (const Text& t : VisibleBalloonTexts())
            if (t == text) return true;
        return false;
    }, timeout);
}

// Wine's tray icons: children of class __winex11_tray_icon.
inline BOOL CALLBACK CollectTrayIcon(HWND w, LPARAM out) {
    if (ClassName(w) == "__winex11_tray_icon") reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
    return TRUE;
}

inline BOOL CALLBACK CollectTrayIconsOf(HWND top, LPARAM out) {
    EnumChildWindows(top, CollectTrayIcon, out);
    return TRUE;
}

inline std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    EnumWindows(CollectTrayIconsOf, reinterpret_cast<LPARAM>(&icons));
    return icons;
}

// The automatic-sync dialog has no title: it is the process's visible
// window whose unit 5 is the "自动校时" button and which is not the main one.
inline HWND FindAutoSyncDialog(DWORD pid, std::chrono::milliseconds timeout = 10s) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w : TopWindows(pid)) {
            if (!Visible(w) || WindowText(w) == kMainTitle) continue;
            HWND confirm = Child(w, dlg::超级按钮8);
            if (confirm && WindowText(confirm) == "自动校时" && Child(w, dlg::编辑框1)) {
                found = w;
                return true;
            }
        }
        return false;
    }, timeout);
    return found;
}

inline bool Centred(HWND w) {
    RECT r = ScreenRect(w);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    return std::abs(cx - sw / 2) <= 2 && std::abs(cy - sh / 2) <= 2;
}

}  // namespace e2e
