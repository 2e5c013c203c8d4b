#include "base/TextCompare.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

TEST(TextCompare, FoldsOnlyTheLettersAToZ) {
    EXPECT_EQ(CompareNoCase(u"JDoe", u"jdoe"), 0);
    EXPECT_NE(CompareNoCase(u"\u00C4", u"\u00E4"), 0);  // A with diaeresis is not folded
    EXPECT_EQ(ToUpperAscii(u"adm-\u00E4z"), u"ADM-\u00E4Z");
}

TEST(TextCompare, FoldedLettersSortBetweenTheOtherUnitsAsLowerCase) {
    // "_" (0x5F) lies between "Z" (0x5A) and "a" (0x61): folding decides the order.
    EXPECT_EQ(CompareNoCase(u"Z", u"_"), 1);
    EXPECT_EQ(CompareExact(u"Z", u"_"), -1);
}

TEST(TextCompare, AStringThatEndsFirstIsSmaller) {
    EXPECT_EQ(CompareNoCase(u"ab", u"ABC"), -1);
    EXPECT_EQ(CompareNoCase(u"ABC", u"ab"), 1);
    EXPECT_EQ(CompareExact(u"", u"a"), -1);
    EXPECT_EQ(CompareExact(u"CORP", u"corp"), -1);
}

TEST(TextCompare, ComparesUnitsAboveTheSignedRangeAsUnsigned) {
    EXPECT_EQ(CompareExact(u"\uFFFF", u"a"), 1);
    const char16_t lone[] = {0xD800, 0};
    EXPECT_EQ(CompareNoCase(lone, u"z"), 1);
}

TEST(TextCompare, ContainsIgnoresCaseOfAToZ) {
    EXPECT_TRUE(ContainsNoCase(u"Domain Admins", u"ADM"));
    EXPECT_TRUE(ContainsNoCase(u"xadm", u"adm"));
    EXPECT_TRUE(ContainsNoCase(u"anything", u""));
    EXPECT_FALSE(ContainsNoCase(u"ad", u"adm"));
    EXPECT_FALSE(ContainsNoCase(u"a-d-m", u"adm"));
}

TEST(TextCompare, Utf8RoundTrip) {
    const std::u16string text = u"J\u00F6rg \u20AC \U0001F600";
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    const char16_t lone[] = {0xD800, 0};
    EXPECT_EQ(ToUtf8(lone), "\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf8("\xC3"), u"\uFFFD");
}

TEST(TextCompare, FormatLongPrintsSignedDecimal) {
    EXPECT_EQ(FormatLong(0), u"0");
    EXPECT_EQ(FormatLong(-2147483647 - 1), u"-2147483648");
}

}  // namespace
}  // namespace orvik
