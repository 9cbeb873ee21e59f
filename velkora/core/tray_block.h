// The tray icon's record and the NOTIFYICONDATAA block made from it for each
// Shell_NotifyIconA call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rt/values.h"

namespace velkora {

constexpr uint32_t kTrayCallbackMessage = 0x3039;
constexpr uint32_t kTrayIconId = 1;
constexpr uint32_t kNifMessage = 0x1, kNifIcon = 0x2, kNifTip = 0x4, kNifInfo = 0x10;
constexpr uint32_t kNiifInfo = 1;

constexpr size_t kTipBytes = 128, kInfoBytes = 256, kInfoTitleBytes = 64;

// The program's one copy of the icon's data, in NOTIFYICONDATAA order.
// Handles are kept wide enough for either build.
struct TrayIconRecord {
    uint32_t size = 0;
    uint64_t window = 0;
    uint32_t iconId = 0;
    uint32_t flags = 0;
    uint32_t callbackMessage = 0;
    uint64_t icon = 0;
    char tip[kTipBytes] = {};
    uint32_t state = 0;
    uint32_t stateMask = 0;
    char info[kInfoBytes] = {};
    uint32_t timeoutOrVersion = 0;
    char infoTitle[kInfoTitleBytes] = {};
    uint32_t infoFlags = 0;
};

// Byte offsets of NOTIFYICONDATAA up to dwInfoFlags (NOTIFYICONDATAA_V2_SIZE).
struct TrayLayout {
    size_t size;
    size_t handleBytes;
    size_t hWnd, uID, uFlags, uCallbackMessage, hIcon, szTip;
    size_t dwState, dwStateMask, szInfo, uTimeout, szInfoTitle, dwInfoFlags;
};

// The 32-bit layout: 488 bytes.
inline constexpr TrayLayout kTrayLayout32 = {
    488, 4,
    4, 8, 12, 16, 20, 24,
    152, 156, 160, 416, 420, 484,
};
// The 64-bit layout: handles of 8 bytes, each aligned to 8; 504 bytes.
inline constexpr TrayLayout kTrayLayout64 = {
    504, 8,
    8, 16, 20, 24, 32, 40,
    168, 172, 176, 432, 436, 500,
};
// The layout of the build that runs.
inline constexpr const TrayLayout& kNativeTrayLayout =
    sizeof(void*) == 8 ? kTrayLayout64 : kTrayLayout32;

// Writes one text into a record buffer: the caller's copy routine receives
// the text already cut to the buffer and copies it with its NUL.
using TrayTextCopy = void (*)(char* buffer, const rt::Text& text);
void CopyTrayText(char* buffer, size_t bufferBytes, const rt::Text& text, TrayTextCopy copy);
void PlainTrayTextCopy(char* buffer, const rt::Text& text);

// The fields of the icon's add: size, window, small icon, id 1, flags 7,
// callback message 0x3039, tip "Velkora".
void FillTrayRecordForAdd(TrayIconRecord& record, const TrayLayout& layout, uint64_t window,
                          uint64_t icon, TrayTextCopy copy);
// The fields of a balloon: flags 0x10 alone, texts, the information icon.
void FillTrayRecordForBalloon(TrayIconRecord& record, const rt::Text& title,
                              const rt::Text& text, TrayTextCopy copy);

// The record as the block the shell reads, texts at full buffer width.
std::vector<unsigned char> BuildTrayBlock(const TrayIconRecord& record, const TrayLayout& layout);

}  // namespace velkora
