#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvik {
namespace {

std::u16string Joined(std::vector<const char*> args) {
    args.insert(args.begin(), "orvik");
    return ArgumentText(static_cast<int>(args.size()), args.data());
}

TEST(CommandLine, QuotedPathWithBlanksThenAutoStart) {
    std::u16string value;
    const std::u16string args = u"/CF: \"C:\\My Files\\orvik.cfg\" /AS";
    EXPECT_EQ(GetCommandLineOption(args, u"/CF:", value), 0);
    EXPECT_EQ(value, u"C:\\My Files\\orvik.cfg");
    EXPECT_EQ(GetCommandLineOption(args, u"/AS", value), 0);
}

TEST(CommandLine, AnUnquotedPathEndsAtItsFirstBlank) {
    std::u16string value;
    EXPECT_EQ(GetCommandLineOption(u"/CF: /my files/orvik.cfg", u"/CF:", value), 0);
    EXPECT_EQ(value, u"/my");
}

TEST(CommandLine, OptionsAreCaseSensitiveAndMayBeEmptyOrUnclosed) {
    std::u16string value = u"x";
    EXPECT_EQ(GetCommandLineOption(u"/cf:a.cfg", u"/CF:", value), -1);
    EXPECT_EQ(GetCommandLineOption(u"/CF:   ", u"/CF:", value), 0);
    EXPECT_EQ(value, u"");
    EXPECT_EQ(GetCommandLineOption(u"/CF:\"open ended", u"/CF:", value), -2);
    EXPECT_EQ(GetCommandLineOption(u"x/CF:a /CF:b", u"/CF:", value), 0);
    EXPECT_EQ(value, u"a");  // the first occurrence counts
}

TEST(CommandLine, ArgumentsSplitByTheShellGiveThePathBack) {
    std::u16string value;
    EXPECT_EQ(GetCommandLineOption(Joined({"/CF:/path with blanks/orvik.cfg"}), u"/CF:", value), 0);
    EXPECT_EQ(value, u"/path with blanks/orvik.cfg");
    EXPECT_EQ(GetCommandLineOption(Joined({"/BATCH", "/CF:", "/path/orvik.cfg"}), u"/CF:", value), 0);
    EXPECT_EQ(value, u"/path/orvik.cfg");
    EXPECT_EQ(GetCommandLineOption(Joined({"/SIM:my dir/sim.json", "/BATCH"}), u"/SIM:", value), 0);
    EXPECT_EQ(value, u"my dir/sim.json");
    EXPECT_EQ(GetCommandLineOption(Joined({"/BATCH"}), u"/BATCH", value), 0);
    EXPECT_EQ(Joined({}), u"");
}

}  // namespace
}  // namespace orvik
