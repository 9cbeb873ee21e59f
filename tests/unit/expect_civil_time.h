// A date read back into its six fields and checked field by field, so that
// a failure names the field that is off.
#pragma once

#include <gtest/gtest.h>

#include "rt/dates.h"

namespace unittest {

inline void ExpectCivilTime(rt::DateTime got, int y, int mo, int d, int h, int mi, int s) {
    rt::CivilTime c;
    ASSERT_TRUE(rt::DateToCivil(got, &c)) << "serial " << got.days;
    EXPECT_EQ(c.year, y);
    EXPECT_EQ(c.month, mo);
    EXPECT_EQ(c.day, d);
    EXPECT_EQ(c.hour, h);
    EXPECT_EQ(c.minute, mi);
    EXPECT_EQ(c.second, s);
}

}  // namespace unittest
