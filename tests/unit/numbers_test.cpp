#include "rt/numbers.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include <gtest/gtest.h>

#include "rt/fatal.h"

namespace {

using rt::Text;

struct FatalRaised : std::runtime_error {
    FatalRaised(int c, const Text& m) : std::runtime_error(m), code(c) {}
    int code;
};

[[noreturn]] void ThrowingHandler(int code, const Text& message) { throw FatalRaised(code, message); }

class FatalCatcher : public ::testing::Test {
protected:
    void SetUp() override { previous_ = rt::SetFatalHandler(ThrowingHandler); }
    void TearDown() override { rt::SetFatalHandler(previous_); }

private:
    rt::FatalHandler previous_ = nullptr;
};

TEST(ToIntegerText, AtoiRules) {
    EXPECT_EQ(rt::ToInteger("42"), 42);
    EXPECT_EQ(rt::ToInteger("  -17xyz"), -17);
    EXPECT_EQ(rt::ToInteger("\t\r\n+8"), 8);
    EXPECT_EQ(rt::ToInteger("08"), 8);
    EXPECT_EQ(rt::ToInteger("2013x"), 2013);
    EXPECT_EQ(rt::ToInteger("12:34"), 12);
    EXPECT_EQ(rt::ToInteger("abc"), 0);
    EXPECT_EQ(rt::ToInteger(""), 0);
    EXPECT_EQ(rt::ToInteger("-"), 0);
    EXPECT_EQ(rt::ToInteger("- 5"), 0);
    EXPECT_EQ(rt::ToInteger("3.9"), 3);
    EXPECT_EQ(rt::ToInteger("假"), 0);
}

TEST(ToIntegerText, FoldsFullWidthDigitsSignsAndBlanks) {
    EXPECT_EQ(rt::ToInteger("１０"), 10);
    EXPECT_EQ(rt::ToInteger("－１５"), -15);
    EXPECT_EQ(rt::ToInteger("\xA1\xA1" "７"), 7);
    EXPECT_EQ(rt::ToInteger("1０"), 10);
}

TEST(ToIntegerText, SaturatesAtThe32BitLimits) {
    EXPECT_EQ(rt::ToInteger("2147483647"), 2147483647);
    EXPECT_EQ(rt::ToInteger("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(rt::ToInteger("2147483648"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(rt::ToInteger("-2147483649"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(rt::ToInteger("99999999999999999999999999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(rt::ToInteger("-0000000000000000000000000000012"), -12);
}

TEST(ToIntegerDouble, TruncatesTowardZeroKeepingLow32Bits) {
    EXPECT_EQ(rt::ToInteger(3.99), 3);
    EXPECT_EQ(rt::ToInteger(-3.99), -3);
    EXPECT_EQ(rt::TruncateToInt32(599940000.0), 599940000);
    EXPECT_EQ(rt::TruncateToInt32(4294967296.0 + 5.0), 5);  // low 32 bits
    EXPECT_EQ(rt::TruncateToInt32(2147483648.0), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(rt::TruncateToInt32(-1.0), -1);
    // Beyond 64 bits and NaN behave as the processor's conversion does.
    EXPECT_EQ(rt::TruncateToInt32(1e300), 0);
    EXPECT_EQ(rt::TruncateToInt32(-1e300), 0);
    EXPECT_EQ(rt::TruncateToInt32(std::nan("")), 0);
    EXPECT_EQ(rt::TruncateToInt32(HUGE_VAL), 0);
}

TEST(ToNumber, AtofRulesWithoutLocale) {
    EXPECT_DOUBLE_EQ(rt::ToNumber("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(rt::ToNumber("  -2.25e2x"), -225.0);
    EXPECT_DOUBLE_EQ(rt::ToNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(rt::ToNumber("5."), 5.0);
    EXPECT_DOUBLE_EQ(rt::ToNumber("7e"), 7.0);
    EXPECT_DOUBLE_EQ(rt::ToNumber("7e+"), 7.0);
    EXPECT_DOUBLE_EQ(rt::ToNumber("+3"), 3.0);
    EXPECT_DOUBLE_EQ(rt::ToNumber("１．５"), 1.5);
    EXPECT_EQ(rt::ToNumber("abc"), 0.0);
    EXPECT_EQ(rt::ToNumber("."), 0.0);
    EXPECT_EQ(rt::ToNumber("-"), 0.0);
    EXPECT_EQ(rt::ToNumber("inf"), 0.0);
    EXPECT_EQ(rt::ToNumber("0x10"), 0.0);
    EXPECT_EQ(rt::ToNumber("1,5"), 1.0);
}

TEST(ToNumber, OutOfRangeGivesHugeOrZero) {
    EXPECT_EQ(rt::ToNumber("1e999"), HUGE_VAL);
    EXPECT_EQ(rt::ToNumber("-1e999"), -HUGE_VAL);
    EXPECT_EQ(rt::ToNumber("1e-999"), 0.0);
    EXPECT_EQ(rt::ToNumber("0.000001e-400"), 0.0);
    EXPECT_EQ(rt::ToNumber("100000e-320") > 0.0, true);  // subnormal, not zero
    EXPECT_EQ(rt::ToNumber(Text(400, '9')), HUGE_VAL);
    EXPECT_EQ(rt::ToNumber("1e99999999999999999999999"), HUGE_VAL);
    EXPECT_EQ(rt::ToNumber("1e-99999999999999999999999"), 0.0);
}

TEST(ToTextNumber, IntegersAndDoubles) {
    EXPECT_EQ(rt::ToText(0), "0");
    EXPECT_EQ(rt::ToText(-15), "-15");
    EXPECT_EQ(rt::ToText(std::numeric_limits<int32_t>::min()), "-2147483648");
    EXPECT_EQ(rt::ToText(5.0), "5");
    EXPECT_EQ(rt::ToText(900000 / 60000.0), "15");
    EXPECT_EQ(rt::ToText(0.0), "0");
    EXPECT_EQ(rt::ToText(2.5), "2.5");
    EXPECT_EQ(rt::ToText(-0.125), "-0.125");
    EXPECT_EQ(rt::ToText(1.0 / 3.0), "0.3333333333333");
    EXPECT_EQ(rt::ToText(1e15), "1e+15");
    EXPECT_EQ(rt::ToText(1234567890123.0), "1234567890123");
    EXPECT_EQ(rt::ToText(1e-5), "1e-05");
}

TEST(ToTextBytes, StopsAtTheFirstZeroByte) {
    EXPECT_EQ(rt::ToText(rt::ByteSet{}), "");
    EXPECT_EQ(rt::ToText(rt::ByteSet{'a', 'b'}), "ab");
    EXPECT_EQ(rt::ToText(rt::ByteSet{'a', 0, 'b'}), "a");
    EXPECT_EQ(rt::ToText(rt::ByteSet{0}), "");
    EXPECT_EQ(rt::ToText(static_cast<const char*>(nullptr)), "");
}

TEST(ToBytes, LittleEndianIntegersAndTextWithoutNul) {
    EXPECT_EQ(rt::ToBytes(0x12345678), (rt::ByteSet{0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(rt::ToBytes(-1), (rt::ByteSet{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(rt::ToBytes(Text("时")), (rt::ByteSet{0xCA, 0xB1}));
    EXPECT_EQ(rt::ToBytes(Text()), rt::ByteSet{});
}

TEST(BitOr, CombinesAll) {
    EXPECT_EQ(rt::BitOr({}), 0);
    EXPECT_EQ(rt::BitOr({1, 2, 8}), 11);
    EXPECT_EQ(rt::BitOr({0x2000, 0x10, 0x2000}), 0x2010);
}

using IntDivide = FatalCatcher;

TEST_F(IntDivide, TruncatesEachQuotient) {
    EXPECT_EQ(rt::IntDivide(1999.0, {1000.0}), 1.0);
    EXPECT_EQ(rt::IntDivide(-1999.0, {1000.0}), -1.0);
    EXPECT_EQ(rt::IntDivide(100.0, {3.0, 2.0}), 16.0);  // 33, then 16
    EXPECT_EQ(rt::IntDivide(4294967295.0, {1000.0}), 4294967.0);
    EXPECT_EQ(rt::IntDivide(7.0, {}), 7.0);
}

TEST_F(IntDivide, ZeroDivisorIsFatal) {
    try {
        rt::IntDivide(5.0, {2.0, 0.0});
        FAIL() << "no fatal error";
    } catch (const FatalRaised& e) {
        EXPECT_EQ(e.code, 0);
        EXPECT_EQ(Text(e.what()), "不能整除于零");
    }
    EXPECT_THROW(rt::IntDivide(0.0, {-0.0}), FatalRaised);
}

}  // namespace
