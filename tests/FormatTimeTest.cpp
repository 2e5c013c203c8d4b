#include "base/FormatTime.h"

#include <gtest/gtest.h>

#include "support/ScopedTimeZone.h"

namespace orvik {
namespace {

TEST(FormatTime, LocalTimeInTheFixedPatternAndMarksForNoTime) {
    const struct {
        const char* zone;
        std::int64_t time;
        const char16_t* shown;
    } cases[] = {
        {"UTC0", 0, u""},  // no time
        {"UTC0", 981209109, u"14:05:09 02/03/01"},
        {"CET-1CEST,M3.5.0,M10.5.0/3", 981209109, u"15:05:09 02/03/01"},
        {"CET-1CEST,M3.5.0,M10.5.0/3", 993218400, u"16:00:00 06/22/01"},  // summer time
        {"UTC0", 4294967295, u"06:28:15 02/07/06"},                       // the largest unsigned last logon
        {"EST5EDT,M3.2.0,M11.1.0", 1, u"19:00:01 12/31/69"},
        {"UTC0", -1, u"?"},  // before 1970: unconvertible, never empty
        {"UTC0", -2147483647 - 1, u"?"},
    };
    for (const auto& c : cases) {
        test::ScopedTimeZone tz(c.zone);
        EXPECT_EQ(FormatTime(c.time), c.shown) << c.zone << " " << c.time;
    }
}

}  // namespace
}  // namespace orvik
