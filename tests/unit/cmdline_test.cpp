#include "rt/cmdline.h"

#include <gtest/gtest.h>

namespace {

using V = std::vector<rt::Text>;

V Args(const rt::Text& line) { return rt::SplitCommandLine(line).Items(); }

TEST(SplitCommandLine, UpdateHandOffGivesKeywordAndUnquotedPath) {
    EXPECT_EQ(Args("\"C:\\a b\\Velkora.exe\" copy \"C:\\x y\\old.exe\""),
              (V{"copy", "C:\\x y\\old.exe"}));
    EXPECT_EQ(Args("\"C:\\a b\\temp.exe\" del \"C:\\程序\\temp.exe\""),
              (V{"del", "C:\\程序\\temp.exe"}));
}

TEST(SplitCommandLine, SkipsTheProgramName) {
    EXPECT_EQ(Args("\"C:\\a b\\Velkora.exe\""), V{});
    EXPECT_EQ(Args("\"C:\\a b\\Velkora.exe\" "), V{});
    EXPECT_EQ(Args("\"C:\\a b\\Velkora.exe\" -ds"), V{"-ds"});
    EXPECT_EQ(Args("\"C:\\a b\\Velkora.exe\"-clock"), V{"-clock"});
    EXPECT_EQ(Args("Velkora.exe -power"), V{"-power"});
    EXPECT_EQ(Args("Velkora.exe"), V{});
    EXPECT_EQ(Args("  Velkora.exe -power"), V{"-power"});
    EXPECT_EQ(Args("\"C:\\unclosed -ds"), V{});
    EXPECT_EQ(Args(""), V{});
}

TEST(SplitCommandLine, BytesBelowBangSeparateAndQuotesDelimit) {
    EXPECT_EQ(Args("p a\tb\r\nc"), (V{"a", "b", "c"}));
    EXPECT_EQ(Args("p   a    b   "), (V{"a", "b"}));
    EXPECT_EQ(Args("p \"\" x"), (V{"", "x"}));
    EXPECT_EQ(Args("p ab\"c d\"e"), (V{"ab", "c d", "e"}));
    EXPECT_EQ(Args("p \"a\"\"b\""), (V{"a", "b"}));
    EXPECT_EQ(Args("p \"open ended"), (V{"open ended"}));
    EXPECT_EQ(Args("p \""), (V{""}));
    EXPECT_EQ(Args(std::string("p a\0b", 5)), (V{"a", "b"}));
}

TEST(SplitCommandLine, DoubleByteCharactersStayWhole) {
    // 0x95 0x5C is one character whose trail byte is a backslash; 0xB0 0x7C
    // one whose trail is "|".
    EXPECT_EQ(Args("p \"C:\\\x95\x5C\\\" \xB0\x7C"), (V{"C:\\\x95\x5C\\", "\xB0\x7C"}));
    // A lead byte before a quote or blank is not a character start: those
    // bytes still end the argument, and a lead byte at the end is kept.
    EXPECT_EQ(Args("p a\x81\"b\""), (V{"a\x81", "b"}));
    EXPECT_EQ(Args("p a\x81 b"), (V{"a\x81", "b"}));
    EXPECT_EQ(Args("p a\x81"), (V{"a\x81"}));
    EXPECT_EQ(Args("\"路径\\程序.exe\" -ds"), V{"-ds"});
    EXPECT_EQ(Args("程序.exe -ds"), V{"-ds"});
}

TEST(TextArray, OneBasedAccess) {
    const rt::TextArray a = rt::SplitCommandLine("p x y");
    EXPECT_EQ(a.Count(), 2);
    EXPECT_EQ(a.At(1), "x");
    EXPECT_EQ(a.At(2), "y");
    EXPECT_EQ(a.At(0), "");
    EXPECT_EQ(a.At(3), "");
}

}  // namespace
