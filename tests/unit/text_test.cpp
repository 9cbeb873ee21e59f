#include "rt/text.h"

#include <gtest/gtest.h>

namespace {

using rt::Text;

std::vector<Text> Pieces(const Text& text, const Text& delimiter = ",", int maxCount = -1) {
    return rt::SplitText(text, delimiter, maxCount).Items();
}

using V = std::vector<Text>;

TEST(TextLength, CountsBytesOfDoubleByteText) {
    EXPECT_EQ(rt::TextLength(""), 0);
    EXPECT_EQ(rt::TextLength("校对a"), 5);
    EXPECT_EQ(rt::BytesLength(rt::ByteSet{}), 0);
    EXPECT_EQ(rt::BytesLength(rt::ByteSet{0, 1, 0}), 3);
}

TEST(TrimBoth, RemovesAsciiAndWideBlanksButKeepsTabs) {
    EXPECT_EQ(rt::TrimBoth("  abc  "), "abc");
    EXPECT_EQ(rt::TrimBoth("\xA1\xA1 名字\xA1\xA1 "), "名字");
    EXPECT_EQ(rt::TrimBoth("\tx\t"), "\tx\t");
    EXPECT_EQ(rt::TrimBoth(" a b "), "a b");
    EXPECT_EQ(rt::TrimBoth("   "), "");
    EXPECT_EQ(rt::TrimBoth("\xA1\xA1\xA1\xA1"), "");
    EXPECT_EQ(rt::TrimBoth(""), "");
}

TEST(TrimBoth, NeverCutsIntoADoubleByteCharacter) {
    // "\xB0\xA1" followed by "\xA1 ": the A1 after B0 is a trail byte, and
    // the pair A1 A1 that a backward scan would see is not a blank.
    EXPECT_EQ(rt::TrimBoth("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
    // A lone lead byte at the end is kept, not read past.
    EXPECT_EQ(rt::TrimBoth(" \xA1"), "\xA1");
    EXPECT_EQ(rt::TrimBoth("a \xA1\xA1"), "a");
}

TEST(SplitText, EmptyPiecesFromLeadingAndDoubledDelimitersButNoEmptyTail) {
    EXPECT_EQ(Pieces(""), V{});
    EXPECT_EQ(Pieces("a,b,c"), (V{"a", "b", "c"}));
    EXPECT_EQ(Pieces(",a"), (V{"", "a"}));
    EXPECT_EQ(Pieces("a,,b"), (V{"a", "", "b"}));
    EXPECT_EQ(Pieces("a,b,"), (V{"a", "b"}));
    EXPECT_EQ(Pieces(","), (V{""}));
    EXPECT_EQ(Pieces("abc"), (V{"abc"}));
}

TEST(SplitText, HttpDateOnBlanks) {
    EXPECT_EQ(Pieces("Fri, 08 Nov 2013 12:34:56 GMT", " "),
              (V{"Fri,", "08", "Nov", "2013", "12:34:56", "GMT"}));
    EXPECT_EQ(Pieces("Fri, 08 Nov 2013 12:34:56 GMT ", " ").size(), 6u);
    EXPECT_EQ(Pieces(" Fri, 08 Nov 2013 12:34:56 GMT", " ").size(), 7u);
    EXPECT_EQ(Pieces("Fri,  08 Nov 2013 12:34:56 GMT", " ").size(), 7u);
}

TEST(SplitText, MultiByteDelimitersAndLimits) {
    EXPECT_EQ(Pieces("a<>b<>c", "<>"), (V{"a", "b", "c"}));
    EXPECT_EQ(Pieces("甲，乙", "，"), (V{"甲", "乙"}));
    EXPECT_EQ(Pieces("a,b,c", ",", 2), (V{"a", "b"}));
    EXPECT_EQ(Pieces("a,b,c", ",", 0), V{});
    EXPECT_EQ(Pieces("a,b", "", -1), (V{"a,b"}));
    EXPECT_EQ(rt::SplitText("x,y").At(2), "y");
    EXPECT_EQ(rt::SplitText("x,y").At(3), "");
}

TEST(SplitText, DelimiterNeverMatchesInsideADoubleByteCharacter) {
    // "\x95\x5C" is one character whose trail byte is a backslash.
    EXPECT_EQ(Pieces("C:\\\x95\x5C\\d", "\\"), (V{"C:", "\x95\x5C", "d"}));
    EXPECT_EQ(Pieces("\xB0\x7C|x", "|"), (V{"\xB0\x7C", "x"}));
    // A lead byte cut off at the end stays in the last piece.
    EXPECT_EQ(Pieces("a,\x81"), (V{"a", "\x81"}));
}

TEST(CharFromCodeAndSpaces, SmallBuilders) {
    EXPECT_EQ(rt::CharFromCode(0), "");
    EXPECT_EQ(rt::CharFromCode('A'), "A");
    EXPECT_EQ(rt::CharFromCode(0xA1), "\xA1");
    EXPECT_EQ(rt::Spaces(3), "   ");
    EXPECT_EQ(rt::Spaces(0), "");
    EXPECT_EQ(rt::Spaces(-5), "");
}

TEST(FoldFullWidth, FoldsWideAsciiAndBlankOnly) {
    EXPECT_EQ(rt::FoldFullWidth("１０"), "10");
    EXPECT_EQ(rt::FoldFullWidth("\xA3\xA1\xA3\xFE"), "!~");
    EXPECT_EQ(rt::FoldFullWidth("ＡＢｃ－＋"), "ABc-+");
    EXPECT_EQ(rt::FoldFullWidth("\xA1\xA1x"), " x");
    EXPECT_EQ(rt::FoldFullWidth("年月"), "年月");
    EXPECT_EQ(rt::FoldFullWidth("\xA3\xA0"), "\xA3\xA0");  // just below the range
    EXPECT_EQ(rt::FoldFullWidth("\xA3"), "\xA3");           // cut off
}

TEST(FoldFullWidth, RespectsCharacterBoundaries) {
    // B0 A3 is a character; the A3 A1 that starts at its trail is not.
    EXPECT_EQ(rt::FoldFullWidth("\xB0\xA3\xA1"), "\xB0\xA3\xA1");
    EXPECT_EQ(rt::FoldFullWidth("\xB0\xA1\xA1\xA1"), "\xB0\xA1 ");
}

}  // namespace
