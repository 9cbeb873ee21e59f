// Unit kinds on one window: property round-trips, tab pages, timers,
// double-clicks and Esc.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <thread>
#include <vector>

#include "rt/window.h"
#include "window_test_util.h"

namespace {

constexpr int kWin = 920;
enum : int {
    kLabel = 1, kWrapLabel, kEdit, kDigits, kList, kCombo, kTab, kPageLabel0, kPageLabel1,
    kButton, kGraphic, kTimer, kTransparent,
};

int g_ticks = 0;
int g_labelDoubleClicks = 0;
int g_surfaceDoubleClicks = 0;
int g_clicks = 0;
int g_lastX = 0, g_lastY = 0, g_lastKeys = 0;
void OnTick() { ++g_ticks; }
void OnClick() { ++g_clicks; }
void OnLabelDouble(int, int, int) { ++g_labelDoubleClicks; }
void OnSurfaceDouble(int x, int y, int keys) {
    ++g_surfaceDoubleClicks;
    g_lastX = x;
    g_lastY = y;
    g_lastKeys = keys;
}

// A 2 x 1 24-bit bitmap file.
rt::ByteSet TinyBmp(unsigned char blue) {
    rt::ByteSet b(54 + 8, 0);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<DWORD>(b.size());
    fh.bfOffBits = 54;
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = 2;
    ih.biHeight = 1;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    std::memcpy(b.data(), &fh, sizeof fh);
    std::memcpy(b.data() + 14, &ih, sizeof ih);
    b[54] = blue;
    b[57] = blue;
    return b;
}

rt::WindowTemplate UnitsTemplate() {
    static const rt::ByteSet image = TinyBmp(200);
    rt::WindowTemplate t = wtest::Basic(kWin, rt::kWinVisible | rt::kWinEscCloses | rt::kWinDragAnywhere);
    t.width = 600;
    t.height = 400;
    const rt::FontSpec yahei = rt::Font("微软雅黑", -14);
    t.units = {
        rt::Label(kLabel, 0, 0, 200, 32, rt::kVisible, "      标题", yahei, rt::kWhite, rt::Rgb(0, 180, 169)),
        rt::Label(kWrapLabel, 0, 40, 200, 40, rt::kVisible | rt::kWordWrap | rt::kAlignRight, "一\r\n二", yahei),
        rt::EditBox(kEdit, 0, 90, 200, 80, rt::kVisible | rt::kMultiLine | rt::kVScroll | rt::kReadOnly,
                    "欢迎", rt::Font("微软雅黑", -12), rt::kWhite, rt::Rgb(192, 192, 192)),
        rt::EditBox(kDigits, 210, 90, 40, 24, rt::kVisible | rt::kTabStop | rt::kDigitsAndMinus, "200",
                    rt::DefaultFont(), rt::kBlack, rt::kWhite, 4),
        rt::ListBox(kList, 260, 0, 150, 100, rt::kVisible, "甲\n乙\n丙", {8, -10, 0}, 0, rt::DefaultFont()),
        rt::ComboBox(kCombo, 420, 0, 60, 20, rt::kVisible, "关机\n重启\n睡眠", 0, rt::DefaultFont()),
        rt::TabControl(kTab, 0, 200, 500, 150, rt::kVisible, "0\n1", rt::Rgb(0, 170, 169)),
        rt::OnPage(kTab, 0, rt::Label(kPageLabel0, 10, 10, 100, 20, rt::kVisible, "页0", rt::DefaultFont())),
        rt::OnPage(kTab, 1, rt::Label(kPageLabel1, 10, 10, 100, 20, rt::kVisible, "页1", rt::DefaultFont())),
        rt::SuperButton(kButton, 260, 110, 88, 32, rt::kVisible, "确认", "提示", yahei, rt::Rgb(29, 161, 225),
                        rt::Rgb(45, 193, 210), rt::Rgb(45, 193, 210)),
        rt::GraphicButton(kGraphic, 360, 110, 50, 19, rt::kVisible, &image, &image, &image),
        rt::Timer(kTimer, 0),
        rt::TransparentLabel(kTransparent, 420, 110, 100, 16, rt::kVisible, "透明", yahei),
    };
    t.events = {{kTimer, rt::kEvElapsed, OnTick},
                {kButton, rt::kEvClicked, OnClick},
                {kLabel, rt::kEvDoubleClicked, nullptr, OnLabelDouble},
                {0, rt::kEvDoubleClicked, nullptr, OnSurfaceDouble}};
    return t;
}

class WindowUnits : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(rt::LoadWindow(UnitsTemplate(), nullptr, false)); }
    static void TearDownTestSuite() { rt::DestroyWindowOrUnit(kWin, 0, true); }
};

TEST_F(WindowUnits, EveryVisibleUnitIsARealChildWithItsTextAndId) {
    HWND label = rt::GetWindowHandle(kWin, kLabel);
    ASSERT_NE(nullptr, label);
    char cls[32];
    ::GetClassNameA(label, cls, sizeof cls);
    EXPECT_STRCASEEQ("Static", cls);
    EXPECT_EQ(kLabel, ::GetDlgCtrlID(label));
    EXPECT_EQ(label, ::GetDlgItem(rt::GetWindowHandle(kWin), kLabel));
    // Real double-clicks reach the label only when its class asks for them.
    EXPECT_NE(0u, ::GetClassLongPtrA(label, GCL_STYLE) & CS_DBLCLKS);
    // The window's focus goes on to its first tab stop.
    EXPECT_EQ(rt::GetWindowHandle(kWin, kDigits), ::GetFocus());
    char text[64];
    ::GetWindowTextA(rt::GetWindowHandle(kWin, kButton), text, sizeof text);
    EXPECT_STREQ("确认", text);
    ::GetClassNameA(rt::GetWindowHandle(kWin, kButton), cls, sizeof cls);
    EXPECT_STRCASEEQ("Button", cls);
    EXPECT_EQ(nullptr, rt::GetWindowHandle(kWin, kTimer));
    EXPECT_TRUE(rt::IsCreated(kWin, kTimer));
    EXPECT_FALSE(rt::IsCreated(kWin, 99));
}

TEST_F(WindowUnits, LabelPropertiesRoundTrip) {
    rt::SetUnitProperty(kWin, kLabel, rt::kPropText, "新文本");
    EXPECT_EQ("新文本", rt::GetUnitText(kWin, kLabel, rt::kPropText));
    EXPECT_EQ("微软雅黑", rt::GetUnitText(kWin, kLabel, rt::kPropFontFace));
    rt::SetUnitProperty(kWin, kLabel, rt::kPropFontFace, "宋体");
    EXPECT_EQ("宋体", rt::GetUnitText(kWin, kLabel, rt::kPropFontFace));
    rt::SetUnitProperty(kWin, kLabel, rt::kPropFontFace, std::string(40, 'x'));
    EXPECT_EQ("宋体", rt::GetUnitText(kWin, kLabel, rt::kPropFontFace));
    EXPECT_EQ(2, rt::GetUnitInt(kWin, kWrapLabel, rt::kPropHAlign));
    EXPECT_EQ(1, rt::GetUnitInt(kWin, kWrapLabel, rt::kPropWordWrap));
    EXPECT_EQ(1, rt::GetUnitInt(kWin, kLabel, rt::kPropVAlign));
    rt::SetUnitProperty(kWin, kLabel, rt::kPropVAlign, 2);
    EXPECT_EQ(2, rt::GetUnitInt(kWin, kLabel, rt::kPropVAlign));
    rt::SetUnitProperty(kWin, kLabel, rt::kPropTag, "标记");
    EXPECT_EQ("标记", rt::GetUnitText(kWin, kLabel, rt::kPropTag));
    EXPECT_EQ(200, rt::GetUnitInt(kWin, kLabel, rt::kPropWidth));
    rt::SetUnitProperty(kWin, kLabel, rt::kPropVisible, 0);
    EXPECT_FALSE(::IsWindowVisible(rt::GetWindowHandle(kWin, kLabel)));
    rt::SetUnitProperty(kWin, kLabel, rt::kPropVisible, 1);
    EXPECT_TRUE(::IsWindowVisible(rt::GetWindowHandle(kWin, kLabel)));
}

TEST_F(WindowUnits, EditListComboRoundTrip) {
    EXPECT_EQ("欢迎", rt::GetUnitText(kWin, kEdit, rt::kPropText));
    rt::EditAppendText(kWin, kEdit, {"\r\n", "第二行"});
    EXPECT_EQ("欢迎\r\n第二行", rt::GetUnitText(kWin, kEdit, rt::kPropText));

    EXPECT_EQ(0, rt::GetUnitInt(kWin, kList, rt::kPropListIndex));
    EXPECT_EQ(8, rt::ListItemData(kWin, kList, 0));
    EXPECT_EQ(-10, rt::ListItemData(kWin, kList, 1));
    EXPECT_EQ(-1, rt::ListItemData(kWin, kList, 3));
    EXPECT_EQ(-1, rt::ListItemData(kWin, kList, -1));
    rt::SetUnitProperty(kWin, kList, rt::kPropListIndex, -1);
    EXPECT_EQ(-1, rt::GetUnitInt(kWin, kList, rt::kPropListIndex));
    rt::SetUnitProperty(kWin, kList, rt::kPropListIndex, 2);
    EXPECT_EQ(2, rt::GetUnitInt(kWin, kList, rt::kPropListIndex));

    EXPECT_EQ(0, rt::GetUnitInt(kWin, kCombo, rt::kPropComboIndex));
    EXPECT_EQ("关机", rt::GetUnitText(kWin, kCombo, rt::kPropComboText));
    rt::SetUnitProperty(kWin, kCombo, rt::kPropComboIndex, 7);  // held to count - 1
    EXPECT_EQ(2, rt::GetUnitInt(kWin, kCombo, rt::kPropComboIndex));
    EXPECT_EQ("睡眠", rt::GetUnitText(kWin, kCombo, rt::kPropComboText));
    rt::SetUnitProperty(kWin, kCombo, rt::kPropComboIndex, -5);
    EXPECT_EQ(-1, rt::GetUnitInt(kWin, kCombo, rt::kPropComboIndex));
    EXPECT_EQ("", rt::GetUnitText(kWin, kCombo, rt::kPropComboText));
    rt::SetUnitProperty(kWin, kCombo, rt::kPropComboIndex, 0);

    rt::SetUnitProperty(kWin, kEdit, rt::kPropDisabled, 1);
    EXPECT_EQ(1, rt::GetUnitInt(kWin, kEdit, rt::kPropDisabled));
    rt::SetUnitProperty(kWin, kEdit, rt::kPropDisabled, 0);
}

// Absent values: a text of a window or unit that does not exist reads as "",
// its current item as none.
TEST_F(WindowUnits, ReadsOfWhatDoesNotExistGiveEmptyTextAndNoItem) {
    constexpr int kNoWindow = 921, kNoUnit = 99;
    for (int index : {rt::kPropText, rt::kPropTag, rt::kPropCaption, rt::kPropTooltip, rt::kPropComboText}) {
        SCOPED_TRACE(index);
        EXPECT_EQ("", rt::GetUnitText(kNoWindow, 0, index));
        EXPECT_EQ("", rt::GetUnitText(kNoWindow, kLabel, index));
        EXPECT_EQ("", rt::GetUnitText(kWin, kNoUnit, index));
    }
    EXPECT_EQ(-1, rt::GetUnitInt(kNoWindow, kList, rt::kPropListIndex));
    EXPECT_EQ(-1, rt::GetUnitInt(kWin, kNoUnit, rt::kPropListIndex));
    EXPECT_EQ(-1, rt::GetUnitInt(kNoWindow, kCombo, rt::kPropComboIndex));
    EXPECT_EQ(-1, rt::ListItemData(kNoWindow, kList, 0));
    EXPECT_EQ(0, rt::GetUnitInt(kNoWindow, kTimer, rt::kPropInterval));
}

TEST_F(WindowUnits, DigitFilterIgnoresOtherTypedCharactersButKeepsControlKeys) {
    HWND edit = rt::GetWindowHandle(kWin, kDigits);
    rt::SetUnitProperty(kWin, kDigits, rt::kPropText, "");
    for (char c : std::string("1a-2 b3"))
        ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    EXPECT_EQ("1-23", rt::GetUnitText(kWin, kDigits, rt::kPropText));
    ::SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ("1-2", rt::GetUnitText(kWin, kDigits, rt::kPropText));
    for (char c : std::string("9999")) ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 0);
    EXPECT_EQ(4u, rt::GetUnitText(kWin, kDigits, rt::kPropText).size());  // at most 4
}

TEST_F(WindowUnits, TabPageShowsOnlyItsUnitsWhoseVisibleFlagIsSet) {
    HWND p0 = rt::GetWindowHandle(kWin, kPageLabel0);
    HWND p1 = rt::GetWindowHandle(kWin, kPageLabel1);
    EXPECT_EQ(rt::GetWindowHandle(kWin), ::GetParent(p0));  // one proc gets every notification
    EXPECT_TRUE(::IsWindowVisible(p0));
    EXPECT_FALSE(::IsWindowVisible(p1));
    EXPECT_EQ(10, rt::GetUnitInt(kWin, kPageLabel0, rt::kPropLeft));  // relative to the tab control
    RECT r;
    ::GetWindowRect(p0, &r);
    POINT pt{r.left, r.top};
    ::ScreenToClient(rt::GetWindowHandle(kWin), &pt);
    EXPECT_EQ(10, pt.x);
    EXPECT_EQ(210, pt.y);

    rt::SetUnitProperty(kWin, kTab, rt::kPropCurrentTab, 1);
    EXPECT_EQ(1, rt::GetUnitInt(kWin, kTab, rt::kPropCurrentTab));
    EXPECT_FALSE(::IsWindowVisible(p0));
    EXPECT_TRUE(::IsWindowVisible(p1));
    // Hidden flag on the current page: stays hidden; going back shows page 0 again.
    rt::SetUnitProperty(kWin, kPageLabel1, rt::kPropVisible, 0);
    EXPECT_FALSE(::IsWindowVisible(p1));
    rt::SetUnitProperty(kWin, kPageLabel0, rt::kPropVisible, 1);  // not its page: stays hidden
    EXPECT_FALSE(::IsWindowVisible(p0));
    rt::SetUnitProperty(kWin, kTab, rt::kPropCurrentTab, 0);
    EXPECT_TRUE(::IsWindowVisible(p0));
    EXPECT_FALSE(::IsWindowVisible(p1));
    rt::SetUnitProperty(kWin, kPageLabel1, rt::kPropVisible, 1);
    EXPECT_FALSE(::IsWindowVisible(p1));
    // Later rows lie above earlier ones.
    HWND h = rt::GetWindowHandle(kWin, kTransparent);
    bool labelBelowLater = false;
    for (HWND n = h; n; n = ::GetWindow(n, GW_HWNDNEXT))
        if (n == rt::GetWindowHandle(kWin, kLabel)) labelBelowLater = true;
    EXPECT_TRUE(labelBelowLater);
    // The tab control lies beneath its page units.
    EXPECT_EQ(nullptr, ::GetWindow(rt::GetWindowHandle(kWin, kTab), GW_HWNDNEXT));
}

TEST_F(WindowUnits, ButtonsCaptionTooltipImagesAndClick) {
    rt::SetUnitProperty(kWin, kButton, rt::kPropCaption, "取消");
    EXPECT_EQ("取消", rt::GetUnitText(kWin, kButton, rt::kPropCaption));
    char text[16];
    ::GetWindowTextA(rt::GetWindowHandle(kWin, kButton), text, sizeof text);
    EXPECT_STREQ("取消", text);
    rt::SetUnitProperty(kWin, kButton, rt::kPropTooltip, "新提示");
    EXPECT_EQ("新提示", rt::GetUnitText(kWin, kButton, rt::kPropTooltip));

    rt::ByteSet other = TinyBmp(10);
    rt::SetUnitProperty(kWin, kGraphic, rt::kPropImageHover, other);
    rt::PropertyValue v = rt::GetUnitProperty(kWin, kGraphic, rt::kPropImageHover);
    ASSERT_TRUE(std::holds_alternative<rt::ByteSet>(v));
    EXPECT_EQ(other, std::get<rt::ByteSet>(v));
    rt::SetUnitProperty(kWin, kGraphic, rt::kPropImageNormal, rt::ByteSet{1, 2, 3});  // malformed: no crash

    g_clicks = 0;
    ::SendMessageA(rt::GetWindowHandle(kWin, kButton), BM_CLICK, 0, 0);
    EXPECT_EQ(1, g_clicks);
}

TEST_F(WindowUnits, TimerRules) {
    EXPECT_EQ(0, rt::GetUnitInt(kWin, kTimer, rt::kPropInterval));
    rt::SetUnitProperty(kWin, kTimer, rt::kPropInterval, -5);
    EXPECT_EQ(0, rt::GetUnitInt(kWin, kTimer, rt::kPropInterval));
    g_ticks = 0;
    rt::SetUnitProperty(kWin, kTimer, rt::kPropInterval, 300);
    DWORD start = ::GetTickCount();
    wtest::Pump(200);
    // Writing the same period does not restart: the first tick still comes ~300 ms after start.
    rt::SetUnitProperty(kWin, kTimer, rt::kPropInterval, 300);
    ASSERT_TRUE(wtest::PumpUntil([] { return g_ticks > 0; }, 2000));
    EXPECT_LT(::GetTickCount() - start, 450u);
    rt::SetUnitProperty(kWin, kTimer, rt::kPropInterval, 0);
    int seen = g_ticks;
    wtest::Pump(400);
    EXPECT_EQ(seen, g_ticks);
    // Another positive period restarts it.
    rt::SetUnitProperty(kWin, kTimer, rt::kPropInterval, 30);
    EXPECT_TRUE(wtest::PumpUntil([seen] { return g_ticks >= seen + 3; }, 2000));
    rt::SetUnitProperty(kWin, kTimer, rt::kPropInterval, 0);
}

TEST_F(WindowUnits, LabelDoubleClickIsTheLabelsOwnEventSurfaceDoubleClickTheWindows) {
    g_labelDoubleClicks = g_surfaceDoubleClicks = 0;
    ::SendMessageA(rt::GetWindowHandle(kWin, kLabel), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(1, g_labelDoubleClicks);
    EXPECT_EQ(0, g_surfaceDoubleClicks);
    ::SendMessageA(rt::GetWindowHandle(kWin), WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL | MK_SHIFT,
                   MAKELPARAM(550, 380));
    EXPECT_EQ(1, g_surfaceDoubleClicks);
    EXPECT_EQ(550, g_lastX);
    EXPECT_EQ(380, g_lastY);
    EXPECT_EQ(3, g_lastKeys);
}

TEST_F(WindowUnits, DraggingTheSurfaceMovesTheWindow) {
    HWND h = rt::GetWindowHandle(kWin);
    RECT before;
    ::GetWindowRect(h, &before);
    ::SetCursorPos(before.left + 550, before.top + 380);
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(550, 380));
    ::SetCursorPos(before.left + 570, before.top + 390);
    ::SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(570, 390));
    ::SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(570, 390));
    RECT after;
    ::GetWindowRect(h, &after);
    EXPECT_EQ(before.left + 20, after.left);
    EXPECT_EQ(before.top + 10, after.top);
}

void ClickAt(HWND target, int times) {
    RECT r;
    ::GetWindowRect(target, &r);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    for (int i = 0; i < times; ++i) {
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, in, sizeof(INPUT));
        wtest::Pump(30);
    }
}

TEST_F(WindowUnits, RealMouseInputClicksButtonsAndDoubleClicksLabels) {
    ::SetForegroundWindow(rt::GetWindowHandle(kWin));
    g_clicks = 0;
    ClickAt(rt::GetWindowHandle(kWin, kButton), 1);
    EXPECT_TRUE(wtest::PumpUntil([] { return g_clicks == 1; }, 1000));
    // Two quick clicks are two clicks, not one.
    ClickAt(rt::GetWindowHandle(kWin, kButton), 2);
    EXPECT_TRUE(wtest::PumpUntil([] { return g_clicks == 3; }, 1000));

    g_labelDoubleClicks = g_surfaceDoubleClicks = 0;
    ClickAt(rt::GetWindowHandle(kWin, kLabel), 2);
    EXPECT_TRUE(wtest::PumpUntil([] { return g_labelDoubleClicks == 1; }, 1000));
    EXPECT_EQ(0, g_surfaceDoubleClicks);
}

// Controls on pages not on show are made late; whenever they are made, the
// window's children keep one order: later rows above earlier ones, the tab
// control beneath them all.
class DeferredPages : public ::testing::Test {
protected:
    enum : int { kTitle = 1, kPages, kOnFirst, kOnSecondA, kOnSecondB, kFooter };

    static rt::WindowTemplate Hidden(int number) {
        rt::WindowTemplate t = wtest::Basic(number, rt::kWinCentered);
        t.units = {
            rt::Label(kTitle, 0, 0, 300, 20, rt::kVisible, "标题", rt::DefaultFont()),
            rt::TabControl(kPages, 0, 20, 300, 150, rt::kVisible, "0\n1", rt::Rgb(0, 170, 169)),
            rt::OnPage(kPages, 0, rt::Label(kOnFirst, 10, 10, 80, 20, rt::kVisible, "页0", rt::DefaultFont())),
            rt::OnPage(kPages, 1, rt::Label(kOnSecondA, 10, 10, 80, 20, rt::kVisible, "页1甲", rt::DefaultFont())),
            rt::OnPage(kPages, 1, rt::Label(kOnSecondB, 10, 40, 80, 20, rt::kVisible, "页1乙", rt::DefaultFont())),
            rt::Label(kFooter, 0, 175, 300, 20, rt::kVisible, "脚注", rt::DefaultFont()),
        };
        return t;
    }

    // The ids of the window's children, top of the order first.
    static std::vector<int> ChildOrder(int number) {
        std::vector<int> ids;
        for (HWND h = ::GetWindow(rt::GetWindowHandle(number), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
            ids.push_back(::GetDlgCtrlID(h));
        return ids;
    }

    void TearDown() override {
        rt::DestroyWindowOrUnit(kFirstShown, 0, true);
        rt::DestroyWindowOrUnit(kAddressed, 0, true);
    }

    static constexpr int kFirstShown = 922, kAddressed = 923;
};

TEST_F(DeferredPages, TheFirstShowingMakesThemInTheirRowPlace) {
    ASSERT_TRUE(rt::LoadWindow(Hidden(kFirstShown), nullptr, false));
    HWND window = rt::GetWindowHandle(kFirstShown);
    EXPECT_EQ(nullptr, ::GetDlgItem(window, kOnSecondA));  // not yet made
    EXPECT_EQ((std::vector<int>{kFooter, kOnFirst, kTitle, kPages}), ChildOrder(kFirstShown));

    rt::SetUnitProperty(kFirstShown, 0, rt::kPropVisible, 1);
    HWND made = ::GetDlgItem(window, kOnSecondA);
    ASSERT_NE(nullptr, made);
    EXPECT_FALSE(::IsWindowVisible(made));  // its page is still not on show
    EXPECT_EQ((std::vector<int>{kFooter, kOnSecondB, kOnSecondA, kOnFirst, kTitle, kPages}),
              ChildOrder(kFirstShown));

    rt::SetUnitProperty(kFirstShown, kPages, rt::kPropCurrentTab, 1);
    EXPECT_TRUE(::IsWindowVisible(made));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, kOnFirst)));
}

TEST_F(DeferredPages, AddressingOneBeforeTheShowingMakesThemAtOnce) {
    ASSERT_TRUE(rt::LoadWindow(Hidden(kAddressed), nullptr, false));
    rt::SetUnitProperty(kAddressed, kOnSecondB, rt::kPropText, "改过");
    HWND b = ::GetDlgItem(rt::GetWindowHandle(kAddressed), kOnSecondB);
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(b, rt::GetWindowHandle(kAddressed, kOnSecondB));
    EXPECT_EQ("改过", rt::GetUnitText(kAddressed, kOnSecondB, rt::kPropText));
    EXPECT_EQ(10, rt::GetUnitInt(kAddressed, kOnSecondA, rt::kPropLeft));  // relative to the tab control
    EXPECT_EQ((std::vector<int>{kFooter, kOnSecondB, kOnSecondA, kOnFirst, kTitle, kPages}),
              ChildOrder(kAddressed));
}

// Looking a unit up makes no control; a write from another thread has the
// window's own thread make it, and serve the write.
TEST_F(DeferredPages, OnlyTheWindowsThreadMakesThemAndNeverByALookUp) {
    ASSERT_TRUE(rt::LoadWindow(Hidden(kAddressed), nullptr, false));
    EXPECT_TRUE(rt::IsCreated(kAddressed, kOnSecondB));
    EXPECT_EQ(nullptr, rt::GetWindowHandle(kAddressed, kOnSecondB));
    std::thread other([] { rt::SetUnitProperty(kAddressed, kOnSecondB, rt::kPropText, "别处"); });
    EXPECT_TRUE(wtest::PumpUntil([] { return rt::GetWindowHandle(kAddressed, kOnSecondB) != nullptr; }));
    other.join();
    EXPECT_EQ(::GetCurrentThreadId(), ::GetWindowThreadProcessId(rt::GetWindowHandle(kAddressed, kOnSecondB), nullptr));
    EXPECT_EQ("别处", rt::GetUnitText(kAddressed, kOnSecondB, rt::kPropText));
}

TEST_F(DeferredPages, AWindowThatStartsOnAnotherPageMakesThatPageBeforeItShows) {
    rt::WindowTemplate t = Hidden(kFirstShown);
    t.units[1].currentItem = 1;
    ASSERT_TRUE(rt::LoadWindow(t, nullptr, false));
    HWND window = rt::GetWindowHandle(kFirstShown);
    // The page on show is drawn with the window's first painting: its
    // controls exist, and are visible, before the window is shown.
    HWND onShow = ::GetDlgItem(window, kOnSecondA);
    ASSERT_NE(nullptr, onShow);
    EXPECT_TRUE(::GetWindowLongPtrA(onShow, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(nullptr, ::GetDlgItem(window, kOnFirst));
    EXPECT_EQ(1, rt::GetUnitInt(kFirstShown, kPages, rt::kPropCurrentTab));

    rt::SetUnitProperty(kFirstShown, 0, rt::kPropVisible, 1);
    HWND first = ::GetDlgItem(window, kOnFirst);
    ASSERT_NE(nullptr, first);
    EXPECT_FALSE(::IsWindowVisible(first));
    EXPECT_TRUE(::IsWindowVisible(onShow));
}

TEST(WindowEsc, EscInAChildControlClosesTheWindow) {
    constexpr int kEscWin = 921;
    rt::WindowTemplate t = wtest::Basic(kEscWin, rt::kWinVisible | rt::kWinEscCloses);
    t.units = {rt::EditBox(1, 0, 0, 50, 20, rt::kVisible, "", rt::DefaultFont(), rt::kBlack, rt::kWhite)};
    ASSERT_TRUE(rt::LoadWindow(t, nullptr, false));
    ::SendMessageA(rt::GetWindowHandle(kEscWin, 1), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(wtest::PumpUntil([&] { return !rt::IsCreated(kEscWin); }));
}

}  // namespace
