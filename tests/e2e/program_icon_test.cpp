// The program's own icon on its main window: what the window answers to
// WM_GETICON inside the running Velkora.exe, read there by a stand-in
// Clock.dll that the "-clock" switch calls (an icon handle can only be drawn
// by its own process), against the committed icon file and the system's.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "support/driver.h"
#include "support/icon_pixels.h"

namespace {

using namespace std::chrono_literals;
using e2e::Text;

constexpr int kCloseButton = 7;  // 超级按钮6 "×"

struct Answer {
    int32_t size = -1;
    std::vector<uint32_t> pixels;
};

// What the probe wrote: the size, then size x size pixels.
Answer ReadAnswer(const Text& path) {
    const Text bytes = e2e::ReadFileText(path);
    Answer a;
    if (bytes.size() < sizeof a.size) return a;
    std::memcpy(&a.size, bytes.data(), sizeof a.size);
    a.pixels.resize((bytes.size() - sizeof a.size) / sizeof(uint32_t));
    std::memcpy(a.pixels.data(), bytes.data() + sizeof a.size, a.pixels.size() * sizeof(uint32_t));
    return a;
}

std::vector<uint32_t> OwnIconPixels(int size) {
    HICON own = static_cast<HICON>(
        ::LoadImageA(nullptr, VELKORA_ASSET_DIR "/Velkora.ico", IMAGE_ICON, size, size, LR_LOADFROMFILE));
    std::vector<uint32_t> pixels = icon_test::IconPixels(own, size);
    if (own) ::DestroyIcon(own);
    return pixels;
}

TEST(ProgramIcon, MainWindowAnswersWmGetIconWithTheProgramsOwnIconBigAndSmall) {
    e2e::ProgramDir dir("Velkora 图标");
    dir.CopyDeliverables(false);
    ASSERT_TRUE(::CopyFileA((Text(VELKORA_BIN_DIR) + "/fixtures/icon-probe/Clock.dll").c_str(),
                            dir.File("Clock.dll").c_str(), FALSE));
    e2e::Process p = e2e::Process::Start(dir.File("Velkora.exe"), "-clock");
    // The probe returns at once, so the start-up goes on to show the window.
    HWND main = e2e::FindVisibleTopWindow(p.Id(), "Velkora6");
    ASSERT_NE(main, nullptr);

    const struct {
        const char* file;
        int size;
    } kinds[] = {{"icon_big.bin", ::GetSystemMetrics(SM_CXICON)},
                 {"icon_small.bin", ::GetSystemMetrics(SM_CXSMICON)}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.file);
        const Answer answer = ReadAnswer(dir.File(kind.file));
        ASSERT_EQ(answer.size, kind.size);
        ASSERT_EQ(answer.pixels.size(), size_t(kind.size) * kind.size);
        const std::vector<uint32_t> own = OwnIconPixels(kind.size);
        ASSERT_FALSE(own.empty());
        EXPECT_EQ(answer.pixels, own);
        EXPECT_NE(answer.pixels, icon_test::IconPixels(::LoadIconA(nullptr, IDI_APPLICATION), kind.size));
    }

    if (HWND close = e2e::Child(main, kCloseButton)) e2e::Click(close);
    if (!p.WaitExit(10s)) p.Kill();
}

}  // namespace
