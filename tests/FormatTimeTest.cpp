#include "base/FormatTime.h"

#include <gtest/gtest.h>

#include "support/ScopedTimeZone.h"

namespace orvik {
namespace {

using test::ScopedTimeZone;

TEST(FormatTime, ZeroIsNoTime) {
    ScopedTimeZone tz("UTC0");
    EXPECT_EQ(FormatTime(0), u"");
}

TEST(FormatTime, UsesLocalTimeInTheFixedPattern) {
    ScopedTimeZone tz("UTC0");
    EXPECT_EQ(FormatTime(981209109), u"14:05:09 02/03/01");
    ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(FormatTime(981209109), u"15:05:09 02/03/01");
    EXPECT_EQ(FormatTime(993218400), u"16:00:00 06/22/01");  // summer time
}

TEST(FormatTime, AnyPositiveTimeGivesSeventeenCharacters) {
    ScopedTimeZone tz("EST5EDT,M3.2.0,M11.1.0");
    for (std::int64_t t : {std::int64_t{1}, std::int64_t{86399}, std::int64_t{1700000000}, std::int64_t{2147483647},
                           std::int64_t{4294967295}}) {
        EXPECT_EQ(FormatTime(t).size(), 17u) << t;
    }
}

TEST(FormatTime, TheLargestUnsignedLastLogonIsADateNotAnError) {
    ScopedTimeZone tz("UTC0");
    EXPECT_EQ(FormatTime(4294967295u), u"06:28:15 02/07/06");
}

TEST(FormatTime, ATimeBefore1970IsShownAsUnconvertibleNeverAsEmpty) {
    ScopedTimeZone tz("UTC0");
    EXPECT_EQ(FormatTime(-1), u"?");
    EXPECT_EQ(FormatTime(-2147483647 - 1), u"?");
}

}  // namespace
}  // namespace orvik
