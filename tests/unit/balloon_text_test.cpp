#include "core/balloon_text.h"

#include <gtest/gtest.h>

#include "rt/dates.h"

namespace {

rt::DateTime At(int y, int mo, int d, int h, int mi, int s) {
    rt::DateTime out;
    EXPECT_TRUE(rt::CivilToDate(rt::CivilTime{y, mo, d, h, mi, s}, &out));
    return out;
}

const rt::Text kHead = "提示：系统已自动校准时间\r\n下次校准时间：";
constexpr int32_t kThirtyMinutes = 30 * 60000;

}  // namespace

using velkora::AutoSyncBalloonText;

TEST(AutoSyncBalloonText, NamesTheNextDueTimeWithoutZeroParts) {
    EXPECT_EQ(AutoSyncBalloonText(At(2013, 11, 20, 14, 5, 7), kThirtyMinutes),
              "提示：系统已自动校准时间\r\n下次校准时间：2013年11月20日14时35分7秒");
    EXPECT_EQ(AutoSyncBalloonText(At(2013, 11, 20, 14, 5, 0), kThirtyMinutes),
              kHead + "2013年11月20日14时35分");
    EXPECT_EQ(AutoSyncBalloonText(At(2013, 11, 20, 14, 30, 0), kThirtyMinutes),
              kHead + "2013年11月20日15时");
    EXPECT_EQ(AutoSyncBalloonText(At(2013, 11, 20, 23, 30, 0), kThirtyMinutes),
              kHead + "2013年11月21日");
}

TEST(AutoSyncBalloonText, AddsWholeMinutesOfThePeriod) {
    EXPECT_EQ(AutoSyncBalloonText(At(2013, 12, 31, 23, 59, 1), 60000),
              kHead + "2014年1月1日0时0分1秒");
    EXPECT_EQ(AutoSyncBalloonText(At(2013, 11, 20, 14, 5, 7), 0),
              kHead + "2013年11月20日14时5分7秒");
    EXPECT_EQ(AutoSyncBalloonText(At(2013, 11, 20, 14, 5, 7), 90000),  // 1.5 min -> 1
              kHead + "2013年11月20日14时6分7秒");
}

TEST(AutoSyncInterval, MinutesAndPeriodAgree) {
    EXPECT_EQ(velkora::MinutesToPeriod(0), 0);
    EXPECT_EQ(velkora::MinutesToPeriod(1), 60000);
    EXPECT_EQ(velkora::MinutesToPeriod(5), 300000);
    EXPECT_EQ(velkora::MinutesToPeriod(9999), 599940000);
    EXPECT_LT(velkora::MinutesToPeriod(-3), 0);
    EXPECT_EQ(velkora::PeriodToMinutesText(0), "0");
    EXPECT_EQ(velkora::PeriodToMinutesText(900000), "15");
    EXPECT_EQ(velkora::PeriodToMinutesText(599940000), "9999");
}
