#include "core/http_date.h"

#include <gtest/gtest.h>

#include "expect_civil_time.h"
#include "rt/dates.h"

namespace {

const rt::DateTime kNow{45000.25};

void ExpectAccepted(const rt::Text& header, int y, int mo, int d, int h, int mi, int s) {
    SCOPED_TRACE(header);
    rt::DateTime date;
    ASSERT_EQ(velkora::ParseHttpDate(header, date, kNow), 1);
    unittest::ExpectCivilTime(date, y, mo, d, h, mi, s);
}

void ExpectRejected(const rt::Text& header) {
    SCOPED_TRACE(header);
    rt::DateTime date{1.0};
    EXPECT_EQ(velkora::ParseHttpDate(header, date, kNow), 0);
    EXPECT_EQ(date.days, kNow.days);  // the current time, never a half result
}

}  // namespace

TEST(ParseHttpDate, ReadsTheRfc1123FormAsLocalTime) {
    ExpectAccepted("Fri, 08 Nov 2013 12:34:56 GMT", 2013, 11, 8, 12, 34, 56);
    ExpectAccepted("Fri, 8 Nov 2013 2:34:56 GMT", 2013, 11, 8, 2, 34, 56);
    ExpectAccepted("Fri, 08 Nov 2013 12:34:56 GMT ", 2013, 11, 8, 12, 34, 56);  // trailing blank
    ExpectAccepted("xx 08 Nov 2013 12:34:56 GMT", 2013, 11, 8, 12, 34, 56);     // weekday unread
    ExpectAccepted("Thu, 01 Jan 2009 00:00:00 GMT", 2009, 1, 1, 0, 0, 0);
    ExpectAccepted("Wed, 31 Dec 5000 23:59:59 GMT", 5000, 12, 31, 23, 59, 59);
}

TEST(ParseHttpDate, EveryMonthName) {
    const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 1; m <= 12; ++m) {
        ExpectAccepted(rt::Text("Mon, 15 ") + names[m - 1] + " 2020 10:00:00 GMT", 2020, m, 15, 10, 0, 0);
    }
}

TEST(ParseHttpDate, RejectsOtherFormsAndZones) {
    ExpectRejected("");
    ExpectRejected("UTC");
    ExpectRejected("Fri, 08 Nov 2013 12:34:56 UTC");
    ExpectRejected("Fri, 08 Nov 2013 12:34:56 gmt");
    ExpectRejected("Fri, 08 nov 2013 12:34:56 GMT");
    ExpectRejected("Fri, 08 NOV 2013 12:34:56 GMT");
    ExpectRejected("Fri, 08  Nov 2013 12:34:56 GMT");  // two blanks: seven parts
    ExpectRejected(" Fri, 08 Nov 2013 12:34:56 GMT");  // leading blank
    ExpectRejected("Sunday, 06-Nov-94 08:49:37 GMT");
    ExpectRejected("Sun Nov  6 08:49:37 1994");
    ExpectRejected("Fri, 08 Nov 2013 12:34:56");
}

TEST(ParseHttpDate, RejectsYearsAndDaysOutOfRange) {
    ExpectRejected("Sat, 01 Jan 2008 00:00:00 GMT");
    ExpectRejected("Sat, 01 Jan 5001 00:00:00 GMT");
    ExpectRejected("Sun, 06 Nov 1994 08:49:37 GMT");
    ExpectRejected("Fri, 00 Nov 2013 12:34:56 GMT");
    ExpectRejected("Fri, 32 Nov 2013 12:34:56 GMT");
    ExpectRejected("Fri, xx Nov 2013 12:34:56 GMT");
    ExpectRejected("Fri, 08 Nov year 12:34:56 GMT");
}

TEST(ParseHttpDate, RejectsHeadersThatPassTheChecksButNameNoRealTime) {
    ExpectRejected("Sun, 31 Nov 2013 12:34:56 GMT");
    ExpectRejected("Fri, 29 Feb 2013 12:34:56 GMT");
    ExpectRejected("Fri, 08 Nov 2013 24:00:00 GMT");
    ExpectRejected("Fri, 08 Nov 2013 12:60:00 GMT");
    ExpectRejected("Fri, 08 Nov 2013x 12:34:56 GMT");
    ExpectRejected("Fri, 08x Nov 2013 12:34:56 GMT");
    ExpectRejected("Fri, 08 Nov 2013 noon GMT");
    ExpectRejected("Fri, 08 Nov 2013  GMT");
}

TEST(ParseHttpDate, LeapDayExists) {
    ExpectAccepted("Sat, 29 Feb 2020 06:07:08 GMT", 2020, 2, 29, 6, 7, 8);
}
