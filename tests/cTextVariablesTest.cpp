#include "output/cTextVariables.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

TEST(TextVariables, NamesAreUniqueIgnoringCaseAndNeverEmpty) {
    cTextVariables v;
    EXPECT_EQ(v.Add(u"%A%", u"1"), 0);
    EXPECT_EQ(v.Add(u"%a%", u"2"), -2);
    EXPECT_EQ(v.Add(u"", u"x"), -1);
    EXPECT_EQ(v.Size(), 1u);
    EXPECT_EQ(v.Find(u"%a%"), 0);
    EXPECT_EQ(v.Remove(u"%B%"), -2);
    EXPECT_EQ(v.Remove(u""), -1);
    EXPECT_EQ(v.Remove(u"%a%"), 0);
    EXPECT_EQ(v.Find(u"%A%"), -1);
}

TEST(TextVariables, ApplyReplacesEveryOccurrenceWithRegardToCase) {
    cTextVariables v;
    v.Add(u"%DOMAIN%", u"CORP");
    std::u16string text = u"%DOMAIN%\\x %Domain% %DOMAIN%";
    v.Apply(text);
    EXPECT_EQ(text, u"CORP\\x %Domain% CORP");
}

TEST(TextVariables, LaterVariablesSeeWhatEarlierOnesInserted) {
    cTextVariables v;
    v.Add(u"%FULL_NAME%", u"%DESCRIPTION% owner");
    v.Add(u"%DESCRIPTION%", u"IT");
    std::u16string text = u"%FULL_NAME%";
    v.Apply(text);
    EXPECT_EQ(text, u"IT owner");
}

TEST(TextVariables, AValueHoldingItsOwnNameStaysAsTextAndNothingLoops) {
    cTextVariables v;
    v.Add(u"%DESCRIPTION%", u"<%DESCRIPTION%>");
    std::u16string text = u"%DESCRIPTION%,%DESCRIPTION%";
    v.Apply(text);
    EXPECT_EQ(text, u"<%DESCRIPTION%>,<%DESCRIPTION%>");
}

TEST(TextVariables, TheShorterTimeNameLeavesTheNumberNameAlone) {
    cTextVariables v;
    v.Add(u"%LAST_LOGON_TIME%", u"T");
    v.Add(u"%LAST_LOGON_TIME_NUMBER_VALUE%", u"N");
    std::u16string text = u"%LAST_LOGON_TIME%/%LAST_LOGON_TIME_NUMBER_VALUE%";
    v.Apply(text);
    EXPECT_EQ(text, u"T/N");
}

TEST(TextVariables, AnEmptyTableLeavesTheText) {
    cTextVariables v;
    std::u16string text = u"%USER_NAME%";
    v.Apply(text);
    EXPECT_EQ(text, u"%USER_NAME%");
}

}  // namespace
}  // namespace orvik
