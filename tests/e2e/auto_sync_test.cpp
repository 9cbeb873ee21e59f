// The automatic re-synchronisation dialog and the timer behind it.
#include <gtest/gtest.h>

#include "e2e/sync_helpers.h"
#include "rt/dates.h"
#include "rt/window.h"

namespace e2e {
namespace {

HWND OpenDialog(App& app) {
    Click(app.Unit(mw::超级按钮2));  // "功能大全"
    WaitUntil([&] { return Visible(app.Unit(mw::超级按钮8)); }, 5s);  // its page is shown
    Click(app.Unit(mw::超级按钮8));  // "自动校时"
    return FindAutoSyncDialog(app.Pid());
}

Text MinutesShown(HWND dialog) { return WindowText(Child(dialog, dlg::编辑框1)); }

// Pasted text is not filtered by the box, typed text is: set it as a paste would.
void PutMinutes(HWND dialog, const Text& text) {
    SendMessageA(Child(dialog, dlg::编辑框1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeMinutes(HWND dialog, const Text& digits) {
    HWND edit = Child(dialog, dlg::编辑框1);
    Click(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    PressKey(VK_DELETE);
    TypeText(digits);
    WaitUntil([&] { return WindowText(edit) == digits; }, 5s);
}

bool Closed(HWND dialog) {
    return WaitUntil([&] { return !IsWindow(dialog) || !Visible(dialog); }, 10s);
}

// Opens the dialog, reads the minutes it shows and leaves by Esc, which
// keeps them.
Text IntervalShown(App& app) {
    HWND dialog = OpenDialog(app);
    if (!dialog) return "(the dialog did not open)";
    const Text shown = MinutesShown(dialog);
    PressKey(VK_ESCAPE);
    return Closed(dialog) ? shown : "(Esc left the dialog open)";
}

enum class Entry { Typed, Pasted };

// Opens the dialog, enters the minutes and presses "自动校时": the first
// sync goes out at once and the dialog closes.
void ConfirmInterval(App& app, const HttpServer& server, const Text& minutes, Entry entry = Entry::Typed) {
    const int before = HeadRequests(server);
    HWND dialog = OpenDialog(app);
    ASSERT_NE(dialog, nullptr);
    if (entry == Entry::Pasted) PutMinutes(dialog, minutes); else TypeMinutes(dialog, minutes);
    Click(Child(dialog, dlg::超级按钮8));
    ASSERT_TRUE(WaitUntil([&] { return HeadRequests(server) == before + 1; }, 10s));
    ASSERT_TRUE(Closed(dialog));
}

// The timer's tick, as the window receives it when the period has passed.
void TickAutoSync(App& app) { PostMessageA(app.Main(), WM_TIMER, rt::kTimerIdBase + mw::时钟2, 0); }

// One minute confirmed: a sync at once, the timer set to 60,000 ms (the
// dialog reads it back as 1), and at its tick another sync and the balloon
// naming the next time, a minute on.
TEST(AutoSync, ConfirmingOneMinuteSyncsAtOnceAndAgainAtEachTick) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app;
    ASSERT_TRUE(app.ReadyInUtc());
    EXPECT_EQ(IntervalShown(app), "0");
    ASSERT_NO_FATAL_FAILURE(ConfirmInterval(app, server, "1"));
    EXPECT_TRUE(WaitUntil([&] { return app.Log().find("校对成功") != Text::npos; }, 10s)) << app.Log();
    EXPECT_EQ(IntervalShown(app), "1");

    TickAutoSync(app);
    ASSERT_TRUE(WaitUntil([&] { return HeadRequests(server) == 2; }, 10s));
    const Text prefix = "提示：系统已自动校准时间\r\n下次校准时间：";
    Text balloon;
    EXPECT_TRUE(WaitUntil([&] {
        for (const Text& t : VisibleBalloonTexts())
            if (t.rfind(prefix, 0) == 0) balloon = t;
        return !balloon.empty();
    }, 15s));
    // The program runs in UTC.
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    rt::DateTime now;
    ASSERT_TRUE(rt::CivilToDate({utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond}, &now));
    const double next = rt::ToDateTime(balloon.substr(prefix.size())).days;
    EXPECT_NEAR(next, rt::AddToDate(now, rt::kMinutes, 1).days, 5.0 / 86400) << balloon;
}

TEST(AutoSync, EmptyConfirmDoesNothing) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app;
    ASSERT_NE(app.Main(), nullptr);
    HWND dialog = OpenDialog(app);
    ASSERT_NE(dialog, nullptr);
    PutMinutes(dialog, "");
    Click(Child(dialog, dlg::超级按钮8));
    EXPECT_FALSE(WaitUntil([&] { return !IsWindow(dialog) || !Visible(dialog); }, 1500ms));
    EXPECT_TRUE(server.Requests().empty());
    EXPECT_EQ(app.Log(), kGreeting);
}

// The first sync of a confirm may serve the dialog's messages while it
// waits (Wine's request object does): a second confirm, or an Esc that
// closes the dialog meanwhile, must not lose the interval confirmed.
TEST(AutoSync, AnIntervalConfirmedWhileTheSyncWaitsIsKept) {
    HttpServer server(kTimeServerPort, HeldAnswer(3000));
    App app;
    ASSERT_NE(app.Main(), nullptr);
    struct Case {
        const char* minutes;
        bool escape;  // else a second confirm
    };
    for (const Case& c : {Case{"5", false}, Case{"7", true}}) {
        SCOPED_TRACE(c.minutes);
        const size_t before = server.Requests().size();
        HWND dialog = OpenDialog(app);
        ASSERT_NE(dialog, nullptr);
        TypeMinutes(dialog, c.minutes);
        Click(Child(dialog, dlg::超级按钮8));
        ASSERT_TRUE(server.WaitForRequests(before + 1));
        if (c.escape) PressKey(VK_ESCAPE); else Click(Child(dialog, dlg::超级按钮8));
        ASSERT_TRUE(Closed(dialog));
        ASSERT_TRUE(WaitUntil([&] { return Enabled(app.Unit(mw::超级按钮7)); }, 15s));
        EXPECT_EQ(IntervalShown(app), c.minutes);
    }
}

TEST(AutoSync, IntervalsAreShownAgainCancelSwitchesOffEscKeeps) {
    struct Step {
        const char* entered;
        Entry entry;
        const char* shown;
    };
    const Step steps[] = {
        {"5", Entry::Typed, "5"},
        {"１０", Entry::Pasted, "10"},  // full-width digits are folded
        {"9999", Entry::Typed, "9999"},
    };
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app;
    ASSERT_TRUE(app.ReadyInUtc());
    for (const Step& s : steps) {
        SCOPED_TRACE(s.entered);
        ASSERT_NO_FATAL_FAILURE(ConfirmInterval(app, server, s.entered, s.entry));
        ASSERT_EQ(IntervalShown(app), s.shown);
    }
    const int requests = HeadRequests(server);
    EXPECT_EQ(requests, 3);

    // Esc kept 9999; "取消" switches the repetition off.
    HWND dialog = OpenDialog(app);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(MinutesShown(dialog), "9999");
    Click(Child(dialog, dlg::超级按钮1));
    ASSERT_TRUE(Closed(dialog));
    dialog = OpenDialog(app);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(MinutesShown(dialog), "0");
    EXPECT_EQ(HeadRequests(server), requests);  // cancelling syncs nothing
}

// "定时关机" without Power.dll ends the program through the fatal box. While
// the box is up nothing of the program runs any more: the re-synchronisation
// that falls due sends no request, and a click on the tray icon does not
// bring the window back to the centre.
TEST(AutoSync, NothingRunsUnderTheFatalBox) {
    HttpServer server(kTimeServerPort, TrueTimeAnswer);
    App app;
    ASSERT_TRUE(app.ReadyInUtc());
    ASSERT_NO_FATAL_FAILURE(ConfirmInterval(app, server, "1"));

    ASSERT_TRUE(DeleteFileA(app.Dir().File("Power.dll").c_str()));
    SetWindowPos(app.Main(), nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Click(app.Unit(mw::超级按钮9));  // "定时关机", on the features page the dialog left
    const MessageBoxInfo box = WaitMessageBox(app.Pid(), 10s);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.text.rfind("运行时出错!", 0), 0u) << box.text;

    const std::vector<HWND> icons = TrayIcons();
    ASSERT_FALSE(icons.empty());
    Click(icons.back());
    TickAutoSync(app);
    ::Sleep(2000);
    EXPECT_EQ(HeadRequests(server), 1);
    EXPECT_EQ(ScreenRect(app.Main()).left, 10);

    CloseMessageBox(box);
    DWORD code = 0;
    ASSERT_TRUE(app.Proc().WaitExit(15s, &code));
    EXPECT_EQ(code, static_cast<DWORD>(-1));
}

TEST(AutoSync, DsSwitchOpensTheDialogBeforeTheMainWindowShows) {
    App app("-ds");
    HWND dialog = FindAutoSyncDialog(app.Pid(), 20s);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(MinutesShown(dialog), "0");
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// With "-ds -clock" the start-up waits in the mini clock, after the dialog
// has opened: the dialog is up while the main window is still hidden.
TEST(AutoSync, DsDialogIsUpWhileTheMainWindowIsStillHidden) {
    App app("-ds -clock");
    HWND dialog = FindAutoSyncDialog(app.Pid(), 20s);
    ASSERT_NE(dialog, nullptr);
    HWND main = FindTopWindow(app.Pid(), kMainTitle, 5s);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(Visible(main));
    for (HWND w : TopWindows(app.Pid()))
        if (w != dialog && w != main && Visible(w)) PostMessageA(w, WM_CLOSE, 0, 0);  // the clock
    EXPECT_TRUE(WaitUntil([&] { return Visible(main); }, 15s));
}

}  // namespace
}  // namespace e2e
