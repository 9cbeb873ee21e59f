// Functions of the libraries bound at their first call (delay loading):
// that first call, which loads and binds, still hands the function all its
// arguments.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

namespace {

TEST(DelayLoad, TheFirstCallOfAFunctionGetsItsFloatingPointArguments) {
    // Called nowhere else in this program: this call binds it. A double
    // travels in a register of its own on x86_64.
    LONG value = 0;
    EXPECT_EQ(S_OK, ::VarI4FromR8(1234.0, &value));
    EXPECT_EQ(1234, value);
}

}  // namespace
