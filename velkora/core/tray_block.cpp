#include "core/tray_block.h"

#include <cstring>

#include "core/text_cut.h"

namespace velkora {

void PlainTrayTextCopy(char* buffer, const rt::Text& text) {
    std::memcpy(buffer, text.c_str(), text.size() + 1);
}

void CopyTrayText(char* buffer, size_t bufferBytes, const rt::Text& text, TrayTextCopy copy) {
    // Leave room for the NUL and never end on half a double-byte character.
    copy(buffer, CutToWholeChars(text, bufferBytes - 1));
}

void FillTrayRecordForAdd(TrayIconRecord& record, const TrayLayout& layout, uint64_t window,
                          uint64_t icon, TrayTextCopy copy) {
    record.size = static_cast<uint32_t>(layout.size);
    record.window = window;
    record.icon = icon;
    record.iconId = kTrayIconId;
    record.flags = kNifTip | kNifIcon | kNifMessage;
    record.callbackMessage = kTrayCallbackMessage;
    CopyTrayText(record.tip, sizeof record.tip, "Velkora", copy);
}

void FillTrayRecordForBalloon(TrayIconRecord& record, const rt::Text& title,
                              const rt::Text& text, TrayTextCopy copy) {
    record.flags = kNifInfo;
    CopyTrayText(record.info, sizeof record.info, text, copy);
    CopyTrayText(record.infoTitle, sizeof record.infoTitle, title, copy);
    record.infoFlags = kNiifInfo;
}

namespace {

void Put32(std::vector<unsigned char>& block, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) block[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

void PutHandle(std::vector<unsigned char>& block, size_t at, size_t width, uint64_t v) {
    for (size_t i = 0; i < width; ++i) block[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

void PutBytes(std::vector<unsigned char>& block, size_t at, const char* bytes, size_t n) {
    std::memcpy(block.data() + at, bytes, n);
}

}  // namespace

std::vector<unsigned char> BuildTrayBlock(const TrayIconRecord& r, const TrayLayout& l) {
    std::vector<unsigned char> block(l.size, 0);
    Put32(block, 0, r.size);
    PutHandle(block, l.hWnd, l.handleBytes, r.window);
    Put32(block, l.uID, r.iconId);
    Put32(block, l.uFlags, r.flags);
    Put32(block, l.uCallbackMessage, r.callbackMessage);
    PutHandle(block, l.hIcon, l.handleBytes, r.icon);
    PutBytes(block, l.szTip, r.tip, sizeof r.tip);
    Put32(block, l.dwState, r.state);
    Put32(block, l.dwStateMask, r.stateMask);
    PutBytes(block, l.szInfo, r.info, sizeof r.info);
    Put32(block, l.uTimeout, r.timeoutOrVersion);
    PutBytes(block, l.szInfoTitle, r.infoTitle, sizeof r.infoTitle);
    Put32(block, l.dwInfoFlags, r.infoFlags);
    return block;
}

}  // namespace velkora
