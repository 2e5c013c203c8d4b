#include "base/TextCompare.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

TEST(TextCompare, FoldsOnlyTheLettersAToZAndComparesUnitsUnsigned) {
    const char16_t lone[] = {0xD800, 0};
    const struct {
        std::u16string a, b;
        int noCase, exact;
    } cases[] = {
        {u"JDoe", u"jdoe", 0, -1}, {u"\u00C4", u"\u00E4", -1, -1},  // A with diaeresis is not folded
        {u"Z", u"_", 1, -1},                                        // "_" lies between "Z" and "a": folding decides
        {u"ab", u"ABC", -1, 1},                                     // a string that ends first is smaller
        {u"", u"a", -1, -1},       {u"\uFFFF", u"a", 1, 1},        {lone, u"z", 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareNoCase(c.a, c.b), c.noCase) << ToUtf8(c.a);
        EXPECT_EQ(CompareNoCase(c.b, c.a), -c.noCase) << ToUtf8(c.a);
        EXPECT_EQ(CompareExact(c.a, c.b), c.exact) << ToUtf8(c.a);
    }
    EXPECT_EQ(ToUpperAscii(u"adm-\u00E4z"), u"ADM-\u00E4Z");
}

TEST(TextCompare, Utf8RoundTripAndNumbers) {
    const std::u16string text = u"J\u00F6rg \u20AC \U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    const char16_t lone[] = {0xD800, 0};
    EXPECT_EQ(ToUtf8(lone), "\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");
    EXPECT_EQ(FormatLong(-2147483647 - 1), u"-2147483648");
}

}  // namespace
}  // namespace orvik
