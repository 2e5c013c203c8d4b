#include "output/cTextVariables.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace orvik {
namespace {

struct ApplyCase {
    const char* name;
    std::vector<std::pair<std::u16string, std::u16string>> variables;  // in the order they are added
    std::u16string text, expected;
};

class TextVariablesApply : public testing::TestWithParam<ApplyCase> {};

TEST_P(TextVariablesApply, ReplacesNamesInOrderOverTheWholeText) {
    cTextVariables v;
    for (const auto& [name, value] : GetParam().variables) v.Add(name, value);
    std::u16string text = GetParam().text;
    v.Apply(text);
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextVariablesApply,
    testing::Values(ApplyCase{"EveryOccurrenceWithRegardToCase",
                              {{u"%DOMAIN%", u"CORP"}},
                              u"%DOMAIN%\\x %Domain% %DOMAIN%",
                              u"CORP\\x %Domain% CORP"},
                    ApplyCase{"LaterVariablesSeeEarlierValues",
                              {{u"%FULL_NAME%", u"%DESCRIPTION% owner"}, {u"%DESCRIPTION%", u"IT"}},
                              u"%FULL_NAME%",
                              u"IT owner"},
                    ApplyCase{"AValueHoldingItsOwnNameStaysText",
                              {{u"%DESCRIPTION%", u"<%DESCRIPTION%>"}},
                              u"%DESCRIPTION%,%DESCRIPTION%",
                              u"<%DESCRIPTION%>,<%DESCRIPTION%>"},
                    ApplyCase{"TheShorterTimeNameLeavesTheNumberName",
                              {{u"%LAST_LOGON_TIME%", u"T"}, {u"%LAST_LOGON_TIME_NUMBER_VALUE%", u"N"}},
                              u"%LAST_LOGON_TIME%/%LAST_LOGON_TIME_NUMBER_VALUE%",
                              u"T/N"},
                    ApplyCase{"AnEmptyTableLeavesTheText", {}, u"%USER_NAME%", u"%USER_NAME%"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvik
