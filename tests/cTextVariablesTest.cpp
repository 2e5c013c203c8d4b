#include "output/cTextVariables.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/TextCompare.h"

namespace orvik {
namespace {

TEST(TextVariables, ReplaceNamesInTheOrderAddedOverTheWholeText) {
    const struct {
        std::vector<std::pair<std::u16string, std::u16string>> variables;  // in the order they are added
        std::u16string text, expected;
    } cases[] = {
        // Every occurrence, with regard to case.
        {{{u"%DOMAIN%", u"CORP"}}, u"%DOMAIN%\\x %Domain% %DOMAIN%", u"CORP\\x %Domain% CORP"},
        // Later variables see earlier values.
        {{{u"%FULL_NAME%", u"%DESCRIPTION% owner"}, {u"%DESCRIPTION%", u"IT"}}, u"%FULL_NAME%", u"IT owner"},
        // A value holding its own name stays text.
        {{{u"%DESCRIPTION%", u"<%DESCRIPTION%>"}}, u"%DESCRIPTION%,%DESCRIPTION%", u"<%DESCRIPTION%>,<%DESCRIPTION%>"},
        // The shorter time name leaves the number's name alone.
        {{{u"%LAST_LOGON_TIME%", u"T"}, {u"%LAST_LOGON_TIME_NUMBER_VALUE%", u"N"}},
         u"%LAST_LOGON_TIME%/%LAST_LOGON_TIME_NUMBER_VALUE%",
         u"T/N"},
        {{}, u"%USER_NAME%", u"%USER_NAME%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text));
        cTextVariables v;
        for (const auto& [name, value] : c.variables) v.Add(name, value);
        std::u16string text = c.text;
        v.Apply(text);
        EXPECT_EQ(text, c.expected);
    }
}

}  // namespace
}  // namespace orvik
