// The online update against a real HTTP server on 127.0.0.1: what is fetched
// for each ver.ini, downloads that must not replace a program file, closing
// during a download, the hand-over to a new main program (also when the old
// program file is held), and hand-off command lines that are not.
#include "app_session.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <cstring>

#include "../clock/unit_ids.h"
#include "rt/window.h"
#include "support/http_server.h"
#include "support/resource_use.h"

namespace {

using namespace e2e_app;

const Text kMarker = "\r\nVELKORA-NEW-BUILD\r\n";  // appended: still a valid image

Text VersionFile(const char* power, const char* clock, const char* main) {
    return Text("[文件版本]\r\n定时关机=") + power + "\r\n迷你时钟=" + clock + "\r\n主程序=" + main + "\r\n";
}

std::vector<std::string> Paths(const e2e::HttpServer& server) {
    std::vector<std::string> paths;
    for (const auto& r : server.Requests()) paths.push_back(r.path);
    return paths;
}

bool ProcessGone(DWORD pid, std::chrono::milliseconds timeout) {
    HANDLE p = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (p == nullptr) return true;
    const bool gone = ::WaitForSingleObject(p, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
    ::CloseHandle(p);
    return gone;
}

void EndProcess(DWORD pid) {
    HANDLE p = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (p == nullptr) return;
    ::TerminateProcess(p, 1);
    ::WaitForSingleObject(p, 5000);
    ::CloseHandle(p);
}

// The processes that run the program file at `path`.
std::vector<DWORD> ProcessesRunning(const Text& path) {
    std::vector<DWORD> found;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return found;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        HANDLE p = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID);
        if (p == nullptr) continue;
        char image[MAX_PATH * 2] = {};
        if (::GetModuleFileNameExA(p, nullptr, image, sizeof image) && ::lstrcmpiA(image, path.c_str()) == 0)
            found.push_back(entry.th32ProcessID);
        ::CloseHandle(p);
    }
    ::CloseHandle(snapshot);
    return found;
}

struct BoxSearch {
    const Text* text;
    DWORD pid;
};

BOOL CALLBACK FindBoxWithText(HWND w, LPARAM l) {
    auto* s = reinterpret_cast<BoxSearch*>(l);
    if (!::IsWindowVisible(w) || e2e::ClassName(w) != "#32770") return TRUE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    const auto box = e2e::WaitMessageBox(pid, std::chrono::milliseconds(200));
    if (box.hwnd && box.text == *s->text) {
        s->pid = pid;
        return FALSE;
    }
    return TRUE;
}

// The process that shows a message box with this text, whichever it is.
DWORD ProcessShowingBox(const Text& text, std::chrono::milliseconds timeout) {
    DWORD found = 0;
    e2e::WaitUntil(
        [&] {
            BoxSearch search{&text, 0};
            ::EnumWindows(FindBoxWithText, reinterpret_cast<LPARAM>(&search));
            found = search.pid;
            return found != 0;
        },
        timeout);
    return found;
}

// Closes the greeting and then the program that a hand-over restarted.
void CloseRestartedProgram(DWORD pid) {
    e2e::CloseMessageBox(e2e::WaitMessageBox(pid));
    HWND main = e2e::FindVisibleTopWindow(pid, kMainTitle);
    EXPECT_TRUE(main);
    if (main) {
        e2e::Activate(main);
        e2e::Click(e2e::Child(main, mw::超级按钮6));
    }
    EXPECT_TRUE(ProcessGone(pid, 15s));
    EndProcess(pid);
}

// Answers each path with the file of that name under dir ("/e/x.dll" ->
// dir\e\x.dll), 404 when there is none.
e2e::HttpServer::Handler ServeFiles(const Text& dir) {
    return [dir](const e2e::HttpRequest& r) {
        e2e::HttpResponse answer;
        Text path = dir;
        for (char c : r.path) path += c == '/' ? '\\' : c;
        if (r.path.find("..") != std::string::npos || !e2e::FileExists(path)) {
            answer.status = 404;
            answer.body = "not found";
            return answer;
        }
        answer.body = ReadFileText(path);
        return answer;
    };
}

class OnlineUpdate : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.CopyDeliverables();
        ::CreateDirectoryA(serverDir_.File("e").c_str(), nullptr);
        power_ = ReadFileText(dir_.File("Power.dll"));
        clock_ = ReadFileText(dir_.File("Clock.dll"));
        program_ = ReadFileText(dir_.File("Velkora.exe"));
        ASSERT_FALSE(power_.empty());
        ASSERT_FALSE(clock_.empty());
    }
    void Serve(const Text& name, const Text& bytes) { ASSERT_TRUE(WriteFileText(serverDir_.File(name), bytes)); }

    // Presses "联网更新" and waits for the status text.
    Text RunUpdate(App& app, std::chrono::milliseconds timeout = 30s) {
        ShowTab(app, mw::超级按钮4);
        e2e::Click(Unit(app, mw::超级按钮11));
        HWND status = Unit(app, mw::标签4);
        Text text;
        e2e::WaitUntil(
            [&] {
                text = FullText(status);
                return e2e::Visible(status) && text != "正在更新";
            },
            timeout);
        return text;
    }

    bool Holds(const Text& name, const Text& bytes) const { return ReadFileText(dir_.File(name)) == bytes; }

    bool NoPartialDownloadsLeft() const {
        WIN32_FIND_DATAA found;
        HANDLE h = ::FindFirstFileA(dir_.File("*.tmp").c_str(), &found);
        if (h == INVALID_HANDLE_VALUE) return true;
        ::FindClose(h);
        return false;
    }

    e2e::ProgramDir dir_;
    e2e::ProgramDir serverDir_{"更新 服务器"};
    Text power_, clock_, program_;
};

TEST_F(OnlineUpdate, EqualVersionsFetchOnlyTheVersionFileAndTheSpinnerTurnsMeanwhile) {
    Serve("ver.ini", VersionFile("600000", "600000", "600000"));
    const auto files = ServeFiles(serverDir_.Path());
    e2e::HttpServer server(e2e::kUpdateServerPort, [files](const e2e::HttpRequest& r) {
        auto answer = files(r);
        answer.delayMs = 1500;  // time to watch the spinner
        return answer;
    });
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    ShowTab(app, mw::超级按钮4);
    HWND spinner = Unit(app, mw::加载中), button = Unit(app, mw::超级按钮11);
    EXPECT_FALSE(e2e::Visible(spinner));
    e2e::Click(button);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::Visible(spinner); }, 3s));
    EXPECT_FALSE(e2e::Visible(button)) << "the button is a one-shot";
    std::vector<Text> frames;
    e2e::WaitUntil(
        [&] {
            const Text t = e2e::WindowText(spinner);
            if (!t.empty() && t != " " && (frames.empty() || frames.back() != t)) frames.push_back(t);
            return frames.size() >= 3;
        },
        1500ms);
    EXPECT_GE(frames.size(), 3u) << "the spinner does not step";
    EXPECT_EQ(RunUpdate(app), "已是最新版本");
    // The worker's writes arrive one by one: the result text, then the
    // spinner's hiding.
    EXPECT_TRUE(e2e::WaitUntil([&] { return !e2e::Visible(spinner); }, 2s));
    EXPECT_FALSE(e2e::Visible(button));
    EXPECT_EQ(Paths(server), (std::vector<std::string>{"/ver.ini"}));
    ASSERT_TRUE(CloseByX(app));
    EXPECT_TRUE(Holds("Power.dll", power_));
    EXPECT_TRUE(Holds("Clock.dll", clock_));
}

// While the server holds ver.ini back, 10,000 steps of the spinner with its
// own font neither leak handles nor grow memory: the figures after 10,000
// steps against those after 100. Each step is driven by a WM_TIMER sent to
// the main window.
TEST_F(OnlineUpdate, TenThousandSpinnerStepsHoldTheirResources) {
    e2e::HttpServer server(e2e::kUpdateServerPort, [](const e2e::HttpRequest&) {
        e2e::HttpResponse answer;
        answer.delayMs = 120000;  // longer than the test runs
        return answer;
    });
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    ShowTab(app, mw::超级按钮4);
    HWND spinner = Unit(app, mw::加载中);
    e2e::Click(Unit(app, mw::超级按钮11));
    ASSERT_TRUE(server.WaitForRequests(1));
    ASSERT_TRUE(e2e::Visible(spinner));
    // A stopped timer's message does nothing: each turn is one frame, or the
    // blank after the last frame and the end of the pause that follows it.
    auto turn = [&](int steps) {
        for (int i = 0; i < steps; ++i) {
            ::SendMessageA(app.main, WM_TIMER, rt::kTimerIdBase + mw::加载1, 0);
            ::SendMessageA(app.main, WM_TIMER, rt::kTimerIdBase + mw::加载2, 0);
        }
    };
    // Proof that the messages step the spinner: each turn overwrites a planted text.
    for (int i = 0; i < 5; ++i) {
        ::SendMessageA(spinner, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("xx"));
        turn(1);
        ASSERT_NE(e2e::WindowText(spinner), "xx") << "WM_TIMER does not drive the spinner";
    }

    turn(100);
    SleepFor(200ms);  // lets the last repaints settle
    const resource_use::Figures early = resource_use::Read(app.process.Handle());
    turn(9900);
    SleepFor(200ms);
    EXPECT_TRUE(resource_use::NothingLeaked(early, resource_use::Read(app.process.Handle())));
    EXPECT_TRUE(e2e::Visible(spinner)) << "the update stopped waiting for ver.ini";
    EXPECT_TRUE(CloseByX(app));
}

TEST_F(OnlineUpdate, OnlyADifferentClockVersionFetchesAndReplacesClockDll) {
    Serve("ver.ini", VersionFile("600000", "600001", "600000"));
    Serve("e\\Clock.dll", clock_ + kMarker);
    e2e::HttpServer server(e2e::kUpdateServerPort, ServeFiles(serverDir_.Path()));
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    EXPECT_EQ(RunUpdate(app), "更新完成");
    EXPECT_EQ(Paths(server), (std::vector<std::string>{"/ver.ini", "/e/Clock.dll"}));
    EXPECT_TRUE(Holds("Clock.dll", clock_ + kMarker));
    EXPECT_TRUE(Holds("Power.dll", power_));
    EXPECT_TRUE(NoPartialDownloadsLeft());
    EXPECT_TRUE(app.process.Running()) << "no hand-over without a new main program";
    ASSERT_TRUE(CloseByX(app));
}

// What the server may send instead of a program (or of ver.ini, which then
// ends the update as for a server out of reach): nothing is replaced, and a
// temp.exe that did not come whole is not handed over to: the program stays.
TEST_F(OnlineUpdate, AnAnswerThatIsNotAWholeProgramReplacesNothing) {
    struct Case {
        const char* name;
        e2e::HttpResponse answer;
        const char* path = "/e/power.dll";
    };
    std::vector<Case> cases(12);
    cases[0].name = "404";
    cases[0].answer.status = 404;
    cases[0].answer.body = "<html><body>404 Not Found</body></html>";
    cases[1].name = "HTML with 200";
    cases[1].answer.body = "<html><body>维护中</body></html>";
    cases[2].name = "empty";
    cases[3].name = "cut off";
    cases[3].answer.body = power_ + kMarker;
    cases[3].answer.cutBodyAfter = power_.size() / 2;
    // Without a length only the image itself can tell that it is not whole.
    cases[4].name = "cut off, no length";
    cases[4].answer.body = power_;
    cases[4].answer.sendContentLength = false;
    cases[4].answer.cutBodyAfter = 9000;
    cases[5].name = "another machine's library";
    cases[5].answer.body = power_;
    const uint16_t otherMachine = sizeof(void*) == 8 ? 0x014C : 0x8664;
    std::memcpy(&cases[5].answer.body[*reinterpret_cast<const uint32_t*>(&power_[0x3C]) + 4], &otherMachine, 2);
    cases[6].name = "the program where a library belongs";
    cases[6].answer.body = program_;
    cases[7].name = "a length over 16 MiB";
    cases[7].answer.body = power_ + Text(16 * 1024 * 1024 + 1 - power_.size(), '\0');
    cases[8].name = "endless, no length";
    cases[8].answer.body = power_;
    cases[8].answer.sendContentLength = false;
    cases[8].answer.endless = true;
    cases[9] = cases[8];
    cases[9].name = "ver.ini endless";
    cases[9].path = "/ver.ini";
    cases[10].name = "ver.ini a byte every 3 s";
    cases[10].answer.body = VersionFile("600001", "600001", "600001");
    cases[10].answer.trickleMs = 3000;
    cases[10].path = "/ver.ini";
    cases[11].name = "temp.exe cut off";
    cases[11].answer.body = program_ + kMarker;
    cases[11].answer.cutBodyAfter = program_.size() / 2;
    cases[11].path = "/e/temp.exe";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool newMainProgram = Text(c.path) == "/e/temp.exe";
        e2e::HttpServer server(e2e::kUpdateServerPort, [c, newMainProgram](const e2e::HttpRequest& r) {
            e2e::HttpResponse answer;
            if (r.path == c.path) answer = c.answer;
            else if (r.path == "/ver.ini") answer.body = newMainProgram ? VersionFile("600000", "600000", "600001")
                                                                        : VersionFile("600001", "600000", "600000");
            else answer.status = 404;
            return answer;
        });
        App app = Start(dir_);
        ASSERT_TRUE(app.main);
        EXPECT_EQ(RunUpdate(app, 75s), "无法连接到服务器");
        std::vector<std::string> paths{"/ver.ini"};
        if (paths[0] != c.path) paths.push_back(c.path);
        EXPECT_EQ(Paths(server), paths);
        EXPECT_TRUE(app.process.Running() && e2e::Visible(app.main)) << "the program handed over";
        ASSERT_TRUE(CloseByX(app));
        EXPECT_TRUE(Holds("Power.dll", power_) && Holds("Velkora.exe", program_)) << "a program file was replaced";
        EXPECT_FALSE(e2e::FileExists(dir_.File("temp.exe")));
        EXPECT_TRUE(NoPartialDownloadsLeft());
    }
}

// Closing the fatal box ends the process with -1.
void ExpectTheBoxEndsTheProgram(App& app, const e2e::MessageBoxInfo& box) {
    e2e::CloseMessageBox(box);
    DWORD code = 0;
    ASSERT_TRUE(app.process.WaitExit(15s, &code));
    EXPECT_EQ(code, static_cast<DWORD>(-1));
}

// A fatal error on the update worker (WinINet cannot be loaded) stops the
// whole program: the box names the export, Esc reaching the main window
// under it closes nothing, the open mini clock stands still, and closing the
// box ends the process with -1.
TEST_F(OnlineUpdate, AFatalErrorOnTheWorkerStopsEveryWindow) {
    const e2e::DllOverride noWinInet({"wininet"}, "");
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    ShowTab(app, mw::超级按钮2);
    e2e::Click(Unit(app, mw::超级按钮10));
    HWND seconds = nullptr;  // of the mini clock: the window that is neither the main one nor a tooltip
    ASSERT_TRUE(e2e::WaitUntil([&] {
        for (HWND top : e2e::TopWindows(app.process.Id()))
            if (top != app.main && e2e::Visible(top) && e2e::ClassName(top) != "tooltips_class32")
                seconds = e2e::Child(top, clockapp::mini_clock::秒);
        return seconds != nullptr;
    }));
    RunUpdate(app, 1s);

    const e2e::MessageBoxInfo box = e2e::WaitMessageBox(app.process.Id());
    EXPECT_EQ("运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“wininet.dll”中的输出命令“InternetOpenA”\r\n", box.text);
    ::PostMessageA(app.main, WM_KEYDOWN, VK_ESCAPE, 0);
    const Text shown = e2e::WindowText(seconds);
    SleepFor(2500ms);
    EXPECT_EQ(shown, e2e::WindowText(seconds));
    EXPECT_TRUE(::IsWindow(app.main)) << "Esc under the box closed the program";
    ExpectTheBoxEndsTheProgram(app, box);
}

// A fatal error on the UI thread (Power.dll is missing) while the server
// holds a download back: once the download comes, no file is replaced and
// no temp.exe is started.
TEST_F(OnlineUpdate, AFatalErrorOnTheUiThreadStopsTheWorkersFiles) {
    ASSERT_TRUE(::DeleteFileA(dir_.File("Power.dll").c_str()));
    Serve("ver.ini", VersionFile("600000", "600001", "600001"));
    Serve("e\\Clock.dll", clock_ + kMarker);
    Serve("e\\temp.exe", program_ + kMarker);
    const auto files = ServeFiles(serverDir_.Path());
    e2e::HttpServer server(e2e::kUpdateServerPort, [files](const e2e::HttpRequest& r) {
        auto answer = files(r);
        answer.delayMs = r.path == "/e/Clock.dll" ? 4000 : 0;
        return answer;
    });
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    RunUpdate(app, 1s);
    ASSERT_TRUE(server.WaitForRequests(2));
    ShowTab(app, mw::超级按钮2);
    e2e::Click(Unit(app, mw::超级按钮9));
    const e2e::MessageBoxInfo box = e2e::WaitMessageBox(app.process.Id());
    EXPECT_NE(box.text.find("Power.dll"), Text::npos) << box.text;

    EXPECT_TRUE(server.WaitForRequests(3));  // the worker went on to temp.exe
    SleepFor(2s);
    EXPECT_TRUE(Holds("Clock.dll", clock_) && Holds("Velkora.exe", program_)) << "a file was replaced";
    EXPECT_FALSE(e2e::FileExists(dir_.File("temp.exe")));
    EXPECT_TRUE(ProcessesRunning(dir_.File("temp.exe")).empty()) << "temp.exe was started";
    ExpectTheBoxEndsTheProgram(app, box);
}

TEST_F(OnlineUpdate, ClosingDuringAHeldDownloadEndsAtOnceAndTheNextRunClearsWhatItLeft) {
    {
        const Text newClock = clock_ + kMarker;
        e2e::HttpServer server(e2e::kUpdateServerPort, [newClock](const e2e::HttpRequest& r) {
            e2e::HttpResponse answer;
            if (r.path == "/ver.ini") {
                answer.body = VersionFile("600000", "600001", "600000");
            } else if (r.path == "/e/Clock.dll") {
                answer.body = newClock;
                answer.delayMs = 25000;
            } else {
                answer.status = 404;
            }
            return answer;
        });
        App app = Start(dir_);
        ASSERT_TRUE(app.main);
        ShowTab(app, mw::超级按钮4);
        e2e::Click(Unit(app, mw::超级按钮11));
        ASSERT_TRUE(server.WaitForRequests(2));
        ASSERT_EQ(Paths(server).back(), "/e/Clock.dll");
        e2e::Activate(app.main);
        e2e::Click(Unit(app, mw::超级按钮6));
        DWORD code = 1;
        EXPECT_TRUE(app.process.WaitExit(3s, &code)) << "the program waits for the download";
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(app.process.WaitExit(30s));
    }
    EXPECT_TRUE(Holds("Clock.dll", clock_));
    EXPECT_TRUE(e2e::FileExists(dir_.File("config.ini"))) << "the settings were not saved";

    // What an ended run may leave, and a file of the user's with a like name.
    const Text leftover = dir_.File("vku1A2B.tmp"), users = dir_.File("vku说明.tmp");
    ASSERT_TRUE(WriteFileText(leftover, "MZ"));
    ASSERT_TRUE(WriteFileText(users, "keep me"));
    Serve("ver.ini", VersionFile("600000", "600000", "600000"));
    e2e::HttpServer server(e2e::kUpdateServerPort, ServeFiles(serverDir_.Path()));
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    EXPECT_EQ(RunUpdate(app), "已是最新版本");
    EXPECT_FALSE(e2e::FileExists(leftover));
    EXPECT_EQ(ReadFileText(users), "keep me");
    ASSERT_TRUE(CloseByX(app));
}

TEST_F(OnlineUpdate, ANewMainProgramTakesOverThroughCopyAndDel) {
    Serve("ver.ini", VersionFile("600000", "600000", "600001"));
    const Text newProgram = program_ + kMarker;
    Serve("e\\temp.exe", newProgram);
    e2e::HttpServer server(e2e::kUpdateServerPort, ServeFiles(serverDir_.Path()));
    App app = Start(dir_);
    ASSERT_TRUE(app.main);
    ShowTab(app, mw::超级按钮4);
    e2e::Click(Unit(app, mw::超级按钮11));
    DWORD code = 1;
    ASSERT_TRUE(app.process.WaitExit(30s, &code)) << "the old program did not close";
    EXPECT_EQ(code, 0u);

    const DWORD restarted = ProcessShowingBox("尽情使用吧！", 30s);
    ASSERT_NE(restarted, 0u) << "no greeting from the restarted program";
    EXPECT_TRUE(Holds("Velkora.exe", newProgram));
    EXPECT_FALSE(e2e::FileExists(dir_.File("temp.exe")));
    EXPECT_EQ(Paths(server), (std::vector<std::string>{"/ver.ini", "/e/temp.exe"}));

    CloseRestartedProgram(restarted);
}

// The copy is made beside the old program and moved over it. Held by
// another process (a virus scanner reading it, the old program still
// ending) for longer than the move keeps trying, even where the holder lets
// others write, the old program stays as it was, and no copy is left behind.
TEST_F(OnlineUpdate, ACopyOverAHeldOldProgramLeavesItWholeAndNothingBehind) {
    const Text target = dir_.File("Velkora.exe"), copier = dir_.File("temp.exe");
    struct Hold {
        const char* name;
        DWORD share;
        bool oldProgramStarts;
    };
    for (const Hold& hold : {Hold{"shared for reading and writing", FILE_SHARE_READ | FILE_SHARE_WRITE, true},
                             Hold{"not shared", 0, false}}) {
        SCOPED_TRACE(hold.name);
        ASSERT_TRUE(WriteFileText(target, program_));
        ASSERT_TRUE(WriteFileText(copier, program_ + kMarker));
        HANDLE held = ::CreateFileA(target.c_str(), GENERIC_READ, hold.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        e2e::Process copy = e2e::Process::Start(copier, "copy \"" + target + "\"");
        DWORD code = 1;
        EXPECT_TRUE(copy.WaitExit(30s, &code)) << "temp.exe did not close";
        ::CloseHandle(held);

        // What "del" started: the old program, which greets, when it could be run at all.
        const std::vector<DWORD> started = ProcessesRunning(target);
        EXPECT_EQ(started.size(), hold.oldProgramStarts ? 1u : 0u);
        for (DWORD pid : started) {
            CloseRestartedProgram(pid);
            EndProcess(pid);
        }
        // Checked once nothing holds the file: a file deleted while held
        // goes only with the last handle (and a running program holds its own).
        EXPECT_TRUE(Holds("Velkora.exe", program_)) << "the old program file was lost or changed";
        EXPECT_TRUE(NoPartialDownloadsLeft());
    }
}

TEST_F(OnlineUpdate, DelDeletesTheNamedFileAndGreets) {
    const Text leftover = dir_.File("temp.exe");
    ASSERT_TRUE(WriteFileText(leftover, "old copy"));
    App app = Start(dir_, "del \"" + leftover + "\"");
    ASSERT_TRUE(app.main);
    const auto box = e2e::WaitMessageBox(app.process.Id());
    EXPECT_EQ(box.text, "尽情使用吧！");
    EXPECT_EQ(box.caption, "信息：");
    EXPECT_FALSE(e2e::FileExists(leftover));
    e2e::CloseMessageBox(box);
    ASSERT_TRUE(CloseByX(app));
}

TEST_F(OnlineUpdate, OtherHandOffCommandLinesStartNormally) {
    const Text victim = dir_.File("other 程序.exe");
    const Text quoted = "\"" + victim + "\"";
    for (const Text& arguments : {"Copy " + quoted, Text("copy"), "copy " + quoted + " extra", "DEL " + quoted}) {
        SCOPED_TRACE(arguments);
        ASSERT_TRUE(WriteFileText(victim, "keep me"));
        App app = Start(dir_, arguments);
        ASSERT_TRUE(app.main) << "no normal start-up";
        EXPECT_TRUE(e2e::Visible(app.main));
        EXPECT_EQ(ReadFileText(victim), "keep me");
        ASSERT_TRUE(CloseByX(app));
        EXPECT_EQ(ReadFileText(victim), "keep me");
    }
}

}  // namespace
