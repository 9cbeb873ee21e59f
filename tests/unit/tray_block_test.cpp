#include "core/tray_block.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <sstream>
#include <tuple>

#include "core/text_cut.h"

using velkora::BuildTrayBlock;
using velkora::kTrayLayout32;
using velkora::kTrayLayout64;
using velkora::TrayIconRecord;

namespace {

uint32_t Read32(const std::vector<unsigned char>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint64_t Read64(const std::vector<unsigned char>& b, size_t at) {
    return Read32(b, at) | (static_cast<uint64_t>(Read32(b, at + 4)) << 32);
}

rt::Text ReadText(const std::vector<unsigned char>& b, size_t at, size_t width) {
    const char* p = reinterpret_cast<const char*>(b.data() + at);
    return rt::Text(p, strnlen(p, width));
}

bool AllZero(const std::vector<unsigned char>& b, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (b[i] != 0) return false;
    return true;
}

// Where the shell reads each field of NOTIFYICONDATAA in the two builds,
// written out here rather than taken from the layouts under test.
struct Offsets {
    size_t handleBytes, hWnd, uID, uFlags, uCallbackMessage, hIcon, szTip, szInfo, uTimeout, szInfoTitle,
        dwInfoFlags;
};
constexpr Offsets kAt32 = {4, 4, 8, 12, 16, 20, 24, 160, 416, 420, 484};
constexpr Offsets kAt64 = {8, 8, 16, 20, 24, 32, 40, 176, 432, 436, 500};

// The fields of a block as the shell reads them.
struct Fields {
    uint32_t cbSize;
    uint64_t hWnd;
    uint32_t uID, uFlags, uCallbackMessage;
    uint64_t hIcon;
    rt::Text szTip, szInfo;
    uint32_t uTimeout;
    rt::Text szInfoTitle;
    uint32_t dwInfoFlags;

    auto Tied() const {
        return std::tie(cbSize, hWnd, uID, uFlags, uCallbackMessage, hIcon, szTip, szInfo, uTimeout, szInfoTitle,
                        dwInfoFlags);
    }
    bool operator==(const Fields& other) const { return Tied() == other.Tied(); }
};

// Handles and flags in hexadecimal, sizes and counts in decimal.
void PrintTo(const Fields& f, std::ostream* os) {
    auto hex = [](uint64_t v) {
        std::ostringstream out;
        out << std::hex << std::showbase << v;
        return out.str();
    };
    *os << "{cbSize " << f.cbSize << ", hWnd " << hex(f.hWnd) << ", uID " << f.uID << ", uFlags " << hex(f.uFlags)
        << ", uCallbackMessage " << hex(f.uCallbackMessage) << ", hIcon " << hex(f.hIcon) << ", szTip \"" << f.szTip
        << "\", szInfo \"" << f.szInfo << "\", uTimeout " << f.uTimeout << ", szInfoTitle \"" << f.szInfoTitle
        << "\", dwInfoFlags " << f.dwInfoFlags << "}";
}

Fields Read(const std::vector<unsigned char>& b, const Offsets& at) {
    auto handle = [&](size_t offset) { return at.handleBytes == 8 ? Read64(b, offset) : Read32(b, offset); };
    return Fields{Read32(b, 0),
                  handle(at.hWnd),
                  Read32(b, at.uID),
                  Read32(b, at.uFlags),
                  Read32(b, at.uCallbackMessage),
                  handle(at.hIcon),
                  ReadText(b, at.szTip, 128),
                  ReadText(b, at.szInfo, 256),
                  Read32(b, at.uTimeout),
                  ReadText(b, at.szInfoTitle, 64),
                  Read32(b, at.dwInfoFlags)};
}

}  // namespace

TEST(TrayBlock, ThirtyTwoBitAddBlockHasEveryFieldInPlace) {
    TrayIconRecord r;
    velkora::FillTrayRecordForAdd(r, kTrayLayout32, 0x00123456, 0x00ABCDEF, velkora::PlainTrayTextCopy);
    const auto b = BuildTrayBlock(r, kTrayLayout32);
    ASSERT_EQ(b.size(), 488u);
    // size, window, id 1, flags 7, callback message, icon, tip; no balloon
    EXPECT_EQ(Read(b, kAt32), (Fields{488, 0x00123456, 1, 7, 0x3039, 0x00ABCDEF, "Velkora", "", 0, "", 0}));
    EXPECT_TRUE(AllZero(b, 24 + 7, 152));   // NUL and the rest of szTip
    EXPECT_EQ(Read32(b, 152), 0u);          // dwState
    EXPECT_EQ(Read32(b, 156), 0u);          // dwStateMask
    EXPECT_TRUE(AllZero(b, 160, 416));      // szInfo
    EXPECT_TRUE(AllZero(b, 420, 484));      // szInfoTitle
}

TEST(TrayBlock, BalloonReplacesTheFlagsAndKeepsTheIcon) {
    TrayIconRecord r;
    velkora::FillTrayRecordForAdd(r, kTrayLayout32, 0x1000, 0x2000, velkora::PlainTrayTextCopy);
    velkora::FillTrayRecordForBalloon(r, "Velkora6", "提示：程序已最小化", velkora::PlainTrayTextCopy);
    auto b = BuildTrayBlock(r, kTrayLayout32);
    EXPECT_EQ(Read(b, kAt32),
              (Fields{488, 0x1000, 1, 0x10, 0x3039, 0x2000, "Velkora", "提示：程序已最小化", 0, "Velkora6", 1}));

    // A later balloon replaces both texts; an empty title clears the old one.
    velkora::FillTrayRecordForBalloon(r, "", "Velkora6已启动", velkora::PlainTrayTextCopy);
    b = BuildTrayBlock(r, kTrayLayout32);
    EXPECT_EQ(ReadText(b, 160, 256), "Velkora6已启动");
    EXPECT_EQ(ReadText(b, 420, 64), "");
}

TEST(TrayBlock, BalloonBeforeTheAddGoesOutWithSizeZero) {
    TrayIconRecord r;
    velkora::FillTrayRecordForBalloon(r, "", "Velkora6已启动", velkora::PlainTrayTextCopy);
    const auto b = BuildTrayBlock(r, kTrayLayout32);
    EXPECT_EQ(Read32(b, 0), 0u);
    EXPECT_EQ(Read32(b, 4), 0u);
    EXPECT_EQ(Read32(b, 8), 0u);
    EXPECT_EQ(Read32(b, 12), 0x10u);
    // The add that follows still registers flags 7 and no balloon.
    velkora::FillTrayRecordForAdd(r, kTrayLayout32, 1, 2, velkora::PlainTrayTextCopy);
    EXPECT_EQ(Read32(BuildTrayBlock(r, kTrayLayout32), 12), 7u);
}

TEST(TrayBlock, SixtyFourBitLayoutWidensTheHandles) {
    TrayIconRecord r;
    velkora::FillTrayRecordForAdd(r, kTrayLayout64, 0x123456789ull, 0xABCDEF012ull, velkora::PlainTrayTextCopy);
    velkora::FillTrayRecordForBalloon(r, "T", "X", velkora::PlainTrayTextCopy);
    const auto b = BuildTrayBlock(r, kTrayLayout64);
    ASSERT_EQ(b.size(), 504u);
    EXPECT_EQ(Read(b, kAt64), (Fields{504, 0x123456789, 1, 0x10, 0x3039, 0xABCDEF012, "Velkora", "X", 0, "T", 1}));
}

TEST(TrayBlock, LongTextsAreCutAtAWholeCharacter) {
    TrayIconRecord r;
    const rt::Text han = "汉";  // two bytes
    rt::Text title = "a";
    while (title.size() < 80) title += han;  // odd head: a cut at 63 would split a character
    rt::Text text;
    while (text.size() < 300) text += han;
    velkora::FillTrayRecordForBalloon(r, title, text, velkora::PlainTrayTextCopy);
    const auto b = BuildTrayBlock(r, kTrayLayout32);
    EXPECT_EQ(ReadText(b, 420, 64), title.substr(0, 63));  // "a" + 31 characters
    EXPECT_EQ(ReadText(b, 160, 256).size(), 254u);          // 127 characters, not half of the 128th
    EXPECT_EQ(ReadText(b, 160, 256), text.substr(0, 254));
}

TEST(CutToWholeChars, KeepsWholeCharactersOnly) {
    using velkora::CutToWholeChars;
    EXPECT_EQ(CutToWholeChars("", 5), "");
    EXPECT_EQ(CutToWholeChars("abc", 5), "abc");
    EXPECT_EQ(CutToWholeChars("abcdef", 5), "abcde");
    EXPECT_EQ(CutToWholeChars("a汉字", 4), "a汉");
    EXPECT_EQ(CutToWholeChars("a汉字", 5), "a汉字");
    EXPECT_EQ(CutToWholeChars("汉字", 3), "汉");
    EXPECT_EQ(CutToWholeChars("汉字", 1), "");
    EXPECT_EQ(CutToWholeChars(rt::Text("ab\x81"), 3), rt::Text("ab\x81"));  // a lone lead byte ends the text
    rt::Text tip;
    while (tip.size() < 200) tip += "时";
    EXPECT_EQ(CutToWholeChars(tip, 127).size(), 126u);
}
