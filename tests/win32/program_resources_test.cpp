// Resources of the program file: RCDATA read back byte for byte, and the
// program's own icon on the windows that the layer makes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "rt/resources.h"
#include "rt/window.h"
#include "support/icon_pixels.h"
#include "test_support.h"
#include "window_test_util.h"

namespace {

constexpr int kTestData = 7;  // program_resources.rc
constexpr int kIconWindow = 931;
const char kIconFile[] = VELKORA_ASSET_DIR "/Velkora.ico";

TEST(ProgramResources, RcdataComesBackByteForByteAndAMissingOneIsEmpty) {
    const std::string file = win32test::ReadFileBytes(VELKORA_ASSET_DIR "/switch_on_normal.bmp");
    ASSERT_EQ(file.size(), 2942u);
    const rt::ByteSet bytes = rt::ResourceBytes(kTestData);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), file);
    EXPECT_TRUE(rt::ResourceBytes(kTestData + 1).empty());
}

TEST(ProgramResources, LayerWindowsAnswerWmGetIconWithTheProgramsOwnIconBigAndSmall) {
    ASSERT_TRUE(rt::LoadWindow(wtest::Basic(kIconWindow), nullptr, false));
    const HWND window = rt::GetWindowHandle(kIconWindow);
    const struct {
        WPARAM which;
        int size;
    } kinds[] = {{ICON_BIG, ::GetSystemMetrics(SM_CXICON)}, {ICON_SMALL, ::GetSystemMetrics(SM_CXSMICON)}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.size);
        const auto shown = reinterpret_cast<HICON>(::SendMessageA(window, WM_GETICON, kind.which, 0));
        EXPECT_EQ(icon_test::IconSize(shown), kind.size);
        HICON own = static_cast<HICON>(
            ::LoadImageA(nullptr, kIconFile, IMAGE_ICON, kind.size, kind.size, LR_LOADFROMFILE));
        ASSERT_NE(own, nullptr);
        const auto pixels = icon_test::IconPixels(shown, kind.size);
        ASSERT_FALSE(pixels.empty());
        EXPECT_EQ(pixels, icon_test::IconPixels(own, kind.size));
        EXPECT_NE(pixels, icon_test::IconPixels(::LoadIconA(nullptr, IDI_APPLICATION), kind.size));
        ::DestroyIcon(own);
    }
    rt::DestroyWindowOrUnit(kIconWindow, 0, true);
}

}  // namespace
