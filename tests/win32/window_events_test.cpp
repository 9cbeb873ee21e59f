// Event order, activation, modal loading and closing of template windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "rt/window.h"
#include "window_test_util.h"

namespace {

using wtest::Log;

constexpr int kOrderWindow = 901;

void OnCreated() { Log().push_back("0"); }
void OnMoved() { Log().push_back("3"); }
void OnResized() { Log().push_back("4"); }
void OnFocus() { Log().push_back("-7"); }
void OnFirst() { Log().push_back("8"); }
void OnDestroying() { Log().push_back("2"); }

rt::WindowTemplate OrderTemplate(uint32_t attributes) {
    rt::WindowTemplate t = wtest::Basic(kOrderWindow, attributes);
    t.events = {{0, rt::kEvCreated, OnCreated},       {0, rt::kEvMoved, OnMoved},
                {0, rt::kEvResized, OnResized},       {0, rt::kEvGotFocus, OnFocus},
                {0, rt::kEvFirstActivated, OnFirst},  {0, rt::kEvDestroying, OnDestroying}};
    return t;
}

TEST(WindowEvents, CreationMoveSizeThenShowWithFocusAndFirstActivationInside) {
    Log().clear();
    ASSERT_TRUE(rt::LoadWindow(OrderTemplate(rt::kWinVisible | rt::kWinCentered), nullptr, false));
    EXPECT_EQ((std::vector<std::string>{"0", "3", "4", "-7", "8"}), Log());
    EXPECT_TRUE(::IsWindowVisible(rt::GetWindowHandle(kOrderWindow)));

    // Already open: activated, creation not run again.
    Log().clear();
    EXPECT_TRUE(rt::LoadWindow(OrderTemplate(rt::kWinVisible), nullptr, false));
    for (const std::string& e : Log()) EXPECT_NE("0", e);

    rt::DestroyWindowOrUnit(kOrderWindow);
    EXPECT_TRUE(rt::IsCreated(kOrderWindow));  // posted, not yet handled
    ASSERT_TRUE(wtest::PumpUntil([] { return !rt::IsCreated(kOrderWindow); }));
    EXPECT_EQ("2", Log().back());
}

TEST(WindowEvents, HiddenWindowShownByVisibleRaisesActivationBeforeReturn) {
    Log().clear();
    ASSERT_TRUE(rt::LoadWindow(OrderTemplate(rt::kWinCentered), nullptr, false));
    EXPECT_EQ((std::vector<std::string>{"0", "3", "4"}), Log());
    Log().clear();
    rt::SetUnitProperty(kOrderWindow, 0, rt::kPropVisible, 1);
    ASSERT_GE(Log().size(), 2u);
    EXPECT_EQ("-7", Log()[Log().size() - 2]);
    EXPECT_EQ("8", Log().back());
    // A second activation raises -7 only.
    rt::SetUnitProperty(kOrderWindow, 0, rt::kPropVisible, 0);
    Log().clear();
    rt::SetUnitProperty(kOrderWindow, 0, rt::kPropVisible, 1);
    EXPECT_EQ(0, std::count(Log().begin(), Log().end(), "8"));
    rt::DestroyWindowOrUnit(kOrderWindow, 0, true);
    EXPECT_FALSE(rt::IsCreated(kOrderWindow));
}

TEST(WindowEvents, ClosePendingIsCarriedOutThenCreatedAnew) {
    Log().clear();
    ASSERT_TRUE(rt::LoadWindow(OrderTemplate(rt::kWinVisible), nullptr, false));
    HWND first = rt::GetWindowHandle(kOrderWindow);
    rt::DestroyWindowOrUnit(kOrderWindow);
    Log().clear();
    ASSERT_TRUE(rt::LoadWindow(OrderTemplate(rt::kWinVisible), nullptr, false));
    EXPECT_FALSE(::IsWindow(first));
    ASSERT_GE(Log().size(), 2u);
    EXPECT_EQ("2", Log()[0]);
    EXPECT_EQ("0", Log()[1]);
    rt::DestroyWindowOrUnit(kOrderWindow, 0, true);
    wtest::Pump(50);  // the stale posted close must find nothing
    EXPECT_FALSE(rt::IsCreated(kOrderWindow));
}

// ---- modal ----

constexpr int kModalWindow = 902;
constexpr int kOtherWindow = 903;
constexpr int kModalTimer = 1;
HWND g_otherHandle = nullptr;
bool g_otherWasDisabled = false;

void CloseModalFromTimer() {
    g_otherWasDisabled = !::IsWindowEnabled(g_otherHandle);
    rt::SetUnitProperty(kModalWindow, kModalTimer, rt::kPropInterval, 0);
    rt::DestroyWindowOrUnit(kModalWindow);
}

TEST(WindowModal, ReturnsAfterPostedCloseAndDisablesOnlyThisLayersWindows) {
    ASSERT_TRUE(rt::LoadWindow(wtest::Basic(kOtherWindow), nullptr, false));
    g_otherHandle = rt::GetWindowHandle(kOtherWindow);
    // A foreign window of this thread, not loaded by the layer.
    HWND foreign = ::CreateWindowExA(0, "Static", "foreign", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, nullptr, nullptr);
    bool foreignDisabled = true;
    rt::WindowTemplate modal = wtest::Basic(kModalWindow);
    modal.units = {rt::Timer(kModalTimer, 50)};
    modal.events = {{kModalTimer, rt::kEvElapsed, CloseModalFromTimer}};
    DWORD start = ::GetTickCount();
    ASSERT_TRUE(rt::LoadWindow(modal, nullptr, true));
    foreignDisabled = !::IsWindowEnabled(foreign);
    EXPECT_LT(::GetTickCount() - start, 3000u);
    EXPECT_FALSE(rt::IsCreated(kModalWindow));
    EXPECT_TRUE(g_otherWasDisabled);
    EXPECT_TRUE(::IsWindowEnabled(g_otherHandle));
    EXPECT_FALSE(foreignDisabled);
    ::DestroyWindow(foreign);
    rt::DestroyWindowOrUnit(kOtherWindow, 0, true);
}

constexpr int kThreadWindow = 904;

TEST(WindowModal, DestroyFromAnotherThreadEndsTheModalLoad) {
    std::atomic<bool> go{false};
    std::thread closer([&] {
        while (!rt::IsCreated(kThreadWindow)) ::Sleep(10);
        ::Sleep(100);
        rt::SetUnitProperty(kThreadWindow, 5, rt::kPropText, "来自线程");
        go = rt::GetUnitText(kThreadWindow, 5, rt::kPropText) == "来自线程";
        rt::DestroyWindowOrUnit(kThreadWindow);
    });
    rt::WindowTemplate t = wtest::Basic(kThreadWindow);
    t.units = {rt::Label(5, 0, 0, 100, 20, rt::kVisible, "", rt::DefaultFont())};
    ASSERT_TRUE(rt::LoadWindow(t, nullptr, true));
    closer.join();
    EXPECT_TRUE(go);
    EXPECT_FALSE(rt::IsCreated(kThreadWindow));
}

// ---- topmost, position, icons ----

constexpr int kTopA = 905, kTopB = 906;

TEST(WindowProperties, TopMostWriteOfZeroKeepsTheOthersTopmost) {
    ASSERT_TRUE(rt::LoadWindow(wtest::Basic(kTopA, rt::kWinVisible | rt::kWinTopMost), nullptr, false));
    ASSERT_TRUE(rt::LoadWindow(wtest::Basic(kTopB, rt::kWinVisible), nullptr, false));
    auto topmost = [](int n) {
        return (::GetWindowLongPtrA(rt::GetWindowHandle(n), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    };
    EXPECT_TRUE(topmost(kTopA));
    rt::SetUnitProperty(kTopB, 0, rt::kPropTopMost, 1);
    EXPECT_TRUE(topmost(kTopB));
    EXPECT_EQ(1, rt::GetUnitInt(kTopB, 0, rt::kPropTopMost));
    rt::SetUnitProperty(kTopB, 0, rt::kPropTopMost, 0);
    EXPECT_FALSE(topmost(kTopB));
    EXPECT_TRUE(topmost(kTopA));
    EXPECT_NE(0, ::SendMessageA(rt::GetWindowHandle(kTopA), WM_GETICON, ICON_BIG, 0));
    EXPECT_NE(0, ::SendMessageA(rt::GetWindowHandle(kTopA), WM_GETICON, ICON_SMALL, 0));
    rt::DestroyWindowOrUnit(kTopA, 0, true);
    rt::DestroyWindowOrUnit(kTopB, 0, true);
}

constexpr int kPosWindow = 907;
std::vector<int> g_sizeStates;
void RecordState() { g_sizeStates.push_back(rt::GetUnitInt(kPosWindow, 0, rt::kPropPosition)); }

TEST(WindowProperties, MinimiseRaisesResizeAndPositionOneRestoresAndCentres) {
    rt::WindowTemplate t = wtest::Basic(kPosWindow, rt::kWinVisible);
    t.events = {{0, rt::kEvResized, RecordState}};
    ASSERT_TRUE(rt::LoadWindow(t, nullptr, false));
    EXPECT_EQ(10, rt::GetUnitInt(kPosWindow, 0, rt::kPropLeft));
    g_sizeStates.clear();
    rt::SetUnitProperty(kPosWindow, 0, rt::kPropPosition, 2);
    EXPECT_EQ(2, rt::GetUnitInt(kPosWindow, 0, rt::kPropPosition));
    ASSERT_FALSE(g_sizeStates.empty());
    EXPECT_EQ(2, g_sizeStates.back());
    // SW_SHOW keeps a minimised window minimised.
    rt::SetUnitProperty(kPosWindow, 0, rt::kPropVisible, 0);
    rt::SetUnitProperty(kPosWindow, 0, rt::kPropVisible, 1);
    EXPECT_EQ(2, rt::GetUnitInt(kPosWindow, 0, rt::kPropPosition));
    rt::SetUnitProperty(kPosWindow, 0, rt::kPropPosition, 1);
    EXPECT_EQ(0, rt::GetUnitInt(kPosWindow, 0, rt::kPropPosition));
    EXPECT_EQ((::GetSystemMetrics(SM_CXSCREEN) - 300) / 2, rt::GetUnitInt(kPosWindow, 0, rt::kPropLeft));
    EXPECT_EQ((::GetSystemMetrics(SM_CYSCREEN) - 200) / 2, rt::GetUnitInt(kPosWindow, 0, rt::kPropTop));
    // Hidden: writes have no effect.
    rt::SetUnitProperty(kPosWindow, 0, rt::kPropVisible, 0);
    rt::SetUnitProperty(kPosWindow, 0, rt::kPropPosition, 2);
    EXPECT_EQ(0, rt::GetUnitInt(kPosWindow, 0, rt::kPropPosition));
    rt::DestroyWindowOrUnit(kPosWindow, 0, true);
}

}  // namespace
