// The circling animation beside the update status: glyphs U+E052..U+E0CB of
// the embedded font "Setup", one every 30 ms, then a 250 ms blank.
#include "spinner.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "core/spinner_steps.h"
#include "dll_commands.h"
#include "handlers.h"
#include "os_call.h"
#include "resource_ids.h"
#include "rt/numbers.h"
#include "rt/resources.h"
#include "rt/text.h"
#include "rt/window.h"
#include "unit_ids.h"

namespace velkora {

namespace {

namespace mw = main_window;

uintptr_t SpinnerFontHandle = 0;  // 0 until the update starts
int32_t SpinnerGlyph = 0;

// Through the program's table of external functions, each call followed by
// the stack-balance test.
uintptr_t AddMemoryFont(const void* bytes, uint32_t length, DWORD* count) {
    return CallOs(kAddFontMemResourceEx, bytes, length, nullptr, count);
}

void RemoveMemoryFont(uintptr_t handle) { CallOs(kRemoveFontMemResourceEx, handle); }

int WideToAnsi(const wchar_t* wide, char* out, int outSize) {
    constexpr int kWholeText = -1;  // up to and with the 0 unit
    return static_cast<int32_t>(CallOs(kWideCharToMultiByte, CP_ACP, 0, wide, kWholeText, out, outSize, nullptr, nullptr));
}

}  // namespace

rt::Text CodePointToText(const rt::ByteSet& wide) {
    if (wide.empty()) return rt::Text();
    // Copied into whole code units with a 0 unit behind them, so that a set
    // of odd length or without its terminator is never read past its end.
    std::vector<wchar_t> units(wide.size() / 2 + 1, 0);
    for (size_t i = 0; i + 1 < wide.size(); i += 2) {
        units[i / 2] = static_cast<wchar_t>(wide[i] | wide[i + 1] << 8);
    }
    char empty[1] = {0};
    const int needed = WideToAnsi(units.data(), empty, 0);
    rt::Text buffer = rt::Spaces(needed);
    if (buffer.empty()) return rt::Text();
    WideToAnsi(units.data(), &buffer[0], needed);
    return rt::Text(buffer.c_str());
}

void StartSpinner() {
    // The font file "Setup", embedded in the program; the system keeps its
    // own copy of the bytes it adds.
    const rt::ByteSet font = rt::ResourceBytes(VELKORA_SPINNER_FONT);
    DWORD count = 0;
    SpinnerFontHandle = AddMemoryFont(font.data(), static_cast<uint32_t>(font.size()), &count);
    SpinnerGlyph = kSpinnerFirstGlyph;
    rt::SetUnitProperty(kMainWindow, mw::加载中, rt::kPropVisible, 1);
    rt::SetUnitProperty(kMainWindow, mw::加载中, rt::kPropFontFace, "Setup");
}

namespace {

// A tick's writes, made in the order the tick gives them.
void ApplySpinnerWrites(const SpinnerWrites& writes) {
    for (const SpinnerWrite& write : writes) {
        switch (write.target) {
        case SpinnerWrite::kLabelText:
            rt::SetUnitProperty(kMainWindow, mw::加载中, rt::kPropText, CodePointToText(rt::ToBytes(write.value)));
            break;
        case SpinnerWrite::kStepPeriod:
            rt::SetUnitProperty(kMainWindow, mw::加载1, rt::kPropInterval, write.value);
            break;
        case SpinnerWrite::kPausePeriod:
            rt::SetUnitProperty(kMainWindow, mw::加载2, rt::kPropInterval, write.value);
            break;
        }
    }
}

}  // namespace

void OnSpinnerTick() { ApplySpinnerWrites(SpinnerStepTick(&SpinnerGlyph)); }

void OnSpinnerPhaseTick() { ApplySpinnerWrites(SpinnerPauseTick()); }

void ReleaseSpinnerFont() {
    if (SpinnerFontHandle == 0) return;
    RemoveMemoryFont(SpinnerFontHandle);
    SpinnerFontHandle = 0;
}

}  // namespace velkora
