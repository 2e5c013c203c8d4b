#include "settings/FontString.h"

#include <gtest/gtest.h>

#include "base/TextCompare.h"
#include "settings/cSetupData.h"

namespace orvik {
namespace {

TEST(FontString, TheHeaderFooterDefaultParsesAndFormatsBack) {
    LogFont f;
    ASSERT_EQ(ParseFontString(u"-11,0,0,0,400,255,0,0,0,3,2,1,34,Arial", f), 0);
    EXPECT_EQ(f.lfPitchAndFamily, 34);  // the other fields' places: below
    for (int kind : {HeaderFooter, Strong, Regular}) {
        ASSERT_EQ(ParseFontString(DefaultFontString(kind), f), 0);
        EXPECT_EQ(FormatFontString(f), DefaultFontString(kind)) << kind;
    }
    EXPECT_EQ(DefaultFontString(0), DefaultFontString(Regular));
    EXPECT_EQ(DefaultFontString(HeaderFooter), cSetupData().m_HeaderFooterFont);
}

TEST(FontString, FewerThanThirteenCommasDoNotParse) {
    for (const char16_t* text : {u"", u"Arial", u"-11,0,0,0,400,0,0,0,0,3,2,1,Arial", u"1,1,1,1,1,1,1,1,1,1,1,1,"}) {
        LogFont f;
        EXPECT_EQ(ParseFontString(text, f), -1) << ToUtf8(text);
        EXPECT_EQ(FontOfKind(text, Strong), FontOfKind(DefaultFontString(Strong), Strong));
    }
    std::u16string field = u"broken";
    EXPECT_EQ(RepairFontOfKind(field, HeaderFooter).lfItalic, 255);
    EXPECT_EQ(field, DefaultFontString(HeaderFooter));
}

TEST(FontString, TheFaceNameIsTheRestUpToThirtyOneCharacters) {
    LogFont f;
    ASSERT_EQ(ParseFontString(u"1,2,3,4,5,6,7,8,9,10,11,12,13,A,B", f), 0);
    EXPECT_EQ(f.lfFaceName, u"A,B");
    ASSERT_EQ(ParseFontString(u"1,2,3,4,5,6,7,8,9,10,11,12,13," + std::u16string(40, u'x'), f), 0);
    EXPECT_EQ(f.lfFaceName, std::u16string(31, u'x'));
}

TEST(FontString, NumbersAreReadAsAtolReadsThem) {
    const struct {
        const char16_t* field;
        int italic;  // what position 6 gives
    } cases[] = {{u"-1", 255}, {u"256", 0}, {u" 12", 12}, {u"x", 0},   {u"12abc", 12},
                 {u"+7", 7},   {u"", 0},    {u"\t3", 3},  {u"- 3", 0}, {u"99999999999", 255}};
    for (const auto& c : cases) {
        LogFont f;
        ASSERT_EQ(ParseFontString(u"0,0,0,0,0," + std::u16string(c.field) + u",0,0,0,0,0,0,0,F", f), 0)
            << ToUtf8(c.field);
        EXPECT_EQ(f.lfItalic, c.italic) << ToUtf8(c.field);
    }
    LogFont f;
    ASSERT_EQ(ParseFontString(u"-99999999999,0,0,0,0,0,0,0,0,0,0,0,0,F", f), 0);
    EXPECT_EQ(f.lfHeight, -2147483647 - 1);
    EXPECT_EQ(ParseFontString(u"0,0,0,0,00000000000000000000400,0,0,0,0,0,0,0,0,F", f), -1);  // 20 characters
}

// A printer that reports no size gives no division by zero.
TEST(FontString, DeviceHeightsAreRoundedAndNeverDivideByZeroNorOverflow) {
    EXPECT_EQ(DeviceFontHeight(-11, 600, 96), -69);  // -68.75
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(2147483647, 2, 1), -1);
}

}  // namespace
}  // namespace orvik
