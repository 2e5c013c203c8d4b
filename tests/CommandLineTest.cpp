#include "app/CommandLine.h"
#include "app/ProgramStart.h"
#include "app/Usage.h"
#include "base/TextCompare.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvik {
namespace {

// The words as the shell hands them over.
cCommandLine Words(std::vector<std::u16string> words) { return cCommandLine(std::move(words)); }

TEST(CommandLine, AnOptionsValueIsFoundAtItsFirstOccurrenceWhereverItStands) {
    const struct {
        const char16_t *text, *option;
        int result;
        const char16_t* value;
    } cases[] = {
        {u"/CF: \"C:\\My Files\\orvik.cfg\" /AS", u"/CF:", 0, u"C:\\My Files\\orvik.cfg"},
        {u"/CF: \"C:\\My Files\\orvik.cfg\" /AS", u"/AS", 0, u""},
        {u"/CF: /my files/orvik.cfg", u"/CF:", 0, u"/my"},  // an unquoted path ends at a blank
        {u"/cf:a.cfg", u"/CF:", -1, u"untouched"},          // case counts
        {u"/CF:   ", u"/CF:", 0, u""},
        {u"/CF:\"open ended", u"/CF:", -2, u"untouched"},
        {u"x/CF:a /CF:b", u"/CF:", 0, u"a"},
        {u"/BATCH /CF: /SIM:demo", u"/CF:", 0, u""},  // empty before another option
        {u"/CF: /AS", u"/CF:", 0, u""},
        {u"/CF: /ASSETS/o.cfg", u"/CF:", 0, u"/ASSETS/o.cfg"},  // a path is no option
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text) + " " + ToUtf8(c.option));
        std::u16string value = u"untouched";
        EXPECT_EQ(GetCommandLineOption(c.text, c.option, value), c.result);
        EXPECT_EQ(value, c.value);
    }
}

TEST(CommandLine, OurOptionsCountOnlyAsWholeArguments) {
    const cCommandLine line = Words({u"/CF:/srv/BATCHES/TLSNOVERIFY/o.cfg", u"/SIM:demo"});
    EXPECT_FALSE(line.HasFlag(u"/BATCH"));
    EXPECT_FALSE(line.HasFlag(u"/TLSNOVERIFY"));
    std::u16string value;
    EXPECT_EQ(line.GetValue(u"/SIM:", value), 0);
    EXPECT_EQ(value, u"demo");
    EXPECT_EQ(line.GetValue(u"/DC:", value), -1);
    EXPECT_TRUE(Words({u"/SIM:demo", u"/BATCH"}).HasFlag(u"/BATCH"));
    EXPECT_FALSE(Words({u"/BATCHX"}).HasFlag(u"/BATCH"));
}

// Whether found as a whole argument or searched for in the whole line (/CF:, /PDF:).
TEST(CommandLine, AQuoteNeverClosedNamesItsOption) {
    for (std::u16string_view option : OptionWords())
        if (option.back() == u':')
            EXPECT_EQ(Words({u"/BATCH", std::u16string(option) + u"\"x y", u"/AS"}).UnclosedQuote(), option);
}

TEST(CommandLine, EveryValueMayHoldBlanksAndNeverSwallowsTheNextOption) {
    const cCommandLine line =
        Words({u"/USER:CN=John Doe,DC=x", u"/PWFILE:/home/admin/p w.txt", u"/CAFILE:", u"/NETTIMEOUT:1"});
    std::u16string value;
    EXPECT_EQ(line.GetValue(u"/USER:", value), 0);
    EXPECT_EQ(value, u"CN=John Doe,DC=x");
    EXPECT_EQ(line.GetValue(u"/PWFILE:", value), 0);
    EXPECT_EQ(value, u"/home/admin/p w.txt");
    EXPECT_EQ(line.GetValue(u"/CAFILE:", value), 0);
    EXPECT_EQ(value, u"");
    // The words joined again give the path back to the search over the whole line.
    EXPECT_EQ(GetCommandLineOption(Words({u"/BATCH", u"/CF:", u"/path with blanks/o.cfg"}).Text(), u"/CF:", value), 0);
    EXPECT_EQ(value, u"/path with blanks/o.cfg");
    EXPECT_EQ(Words({}).Text(), u"");
}

// The Windows program's configuration file is beside it, as its command line spells the folder.
TEST(CommandLine, TheConfigurationBesideTheProgramFollowsItsCommandLine) {
    EXPECT_EQ(ConfigPathBesideProgram(u"\"C:\\Program Files\\Ambrel\\Orvik.exe\""),
              "C:\\Program Files\\Ambrel\\orvik.cfg");
    EXPECT_EQ(ConfigPathBesideProgram(u"orvik.exe /BATCH"), "orvik.cfg");
    EXPECT_EQ(ConfigPathBesideProgram(u"orvik /BATCH"), ".\\orvik.cfg");
}

}  // namespace
}  // namespace orvik
