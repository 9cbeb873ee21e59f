#include "core/tray_block.h"

#include <gtest/gtest.h>

#include <cstring>

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

}  // namespace

TEST(TrayBlock, ThirtyTwoBitAddBlockHasEveryFieldInPlace) {
    TrayIconRecord r;
    velkora::FillTrayRecordForAdd(r, kTrayLayout32, 0x00123456, 0x00ABCDEF, velkora::PlainTrayTextCopy);
    const auto b = BuildTrayBlock(r, kTrayLayout32);
    ASSERT_EQ(b.size(), 488u);
    EXPECT_EQ(Read32(b, 0), 488u);          // cbSize
    EXPECT_EQ(Read32(b, 4), 0x00123456u);   // hWnd
    EXPECT_EQ(Read32(b, 8), 1u);            // uID
    EXPECT_EQ(Read32(b, 12), 7u);           // uFlags
    EXPECT_EQ(Read32(b, 16), 0x3039u);      // uCallbackMessage
    EXPECT_EQ(Read32(b, 20), 0x00ABCDEFu);  // hIcon
    EXPECT_EQ(ReadText(b, 24, 128), "Velkora");
    EXPECT_TRUE(AllZero(b, 24 + 7, 152));   // NUL and the rest of szTip
    EXPECT_EQ(Read32(b, 152), 0u);          // dwState
    EXPECT_EQ(Read32(b, 156), 0u);          // dwStateMask
    EXPECT_TRUE(AllZero(b, 160, 416));      // szInfo
    EXPECT_EQ(Read32(b, 416), 0u);          // uTimeout
    EXPECT_TRUE(AllZero(b, 420, 484));      // szInfoTitle
    EXPECT_EQ(Read32(b, 484), 0u);          // dwInfoFlags
}

TEST(TrayBlock, BalloonReplacesTheFlagsAndKeepsTheIcon) {
    TrayIconRecord r;
    velkora::FillTrayRecordForAdd(r, kTrayLayout32, 0x1000, 0x2000, velkora::PlainTrayTextCopy);
    velkora::FillTrayRecordForBalloon(r, "Velkora6", "提示：程序已最小化", velkora::PlainTrayTextCopy);
    auto b = BuildTrayBlock(r, kTrayLayout32);
    EXPECT_EQ(Read32(b, 0), 488u);
    EXPECT_EQ(Read32(b, 4), 0x1000u);
    EXPECT_EQ(Read32(b, 8), 1u);
    EXPECT_EQ(Read32(b, 12), 0x10u);
    EXPECT_EQ(Read32(b, 16), 0x3039u);
    EXPECT_EQ(Read32(b, 20), 0x2000u);
    EXPECT_EQ(ReadText(b, 24, 128), "Velkora");
    EXPECT_EQ(ReadText(b, 160, 256), "提示：程序已最小化");
    EXPECT_EQ(Read32(b, 416), 0u);
    EXPECT_EQ(ReadText(b, 420, 64), "Velkora6");
    EXPECT_EQ(Read32(b, 484), 1u);

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
    EXPECT_EQ(Read32(b, 0), 504u);
    EXPECT_EQ(Read64(b, 8), 0x123456789ull);
    EXPECT_EQ(Read32(b, 16), 1u);
    EXPECT_EQ(Read32(b, 20), 0x10u);
    EXPECT_EQ(Read32(b, 24), 0x3039u);
    EXPECT_EQ(Read64(b, 32), 0xABCDEF012ull);
    EXPECT_EQ(ReadText(b, 40, 128), "Velkora");
    EXPECT_EQ(ReadText(b, 176, 256), "X");
    EXPECT_EQ(Read32(b, 432), 0u);
    EXPECT_EQ(ReadText(b, 436, 64), "T");
    EXPECT_EQ(Read32(b, 500), 1u);
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
