// Cutting GBK text to a fixed buffer, as the tray's texts are.
#include "core/text_cut.h"

#include <gtest/gtest.h>

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
