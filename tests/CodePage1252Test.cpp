#include "base/CodePage1252.h"

#include <gtest/gtest.h>

#include "base/TextCompare.h"
#include "support/GoldenFile.h"

namespace orvik {
namespace {

// Below 0x80 every byte is ASCII; the upper half as Windows has it comes from
// the golden file.
TEST(CodePage1252, EveryByteStandsForItsCharacterBothWays) {
    const auto upperHalf = test::ReadGolden("cp1252_upper_half.txt");
    std::string bytes;
    std::u16string characters;
    for (int b = 0; b < 0x80; ++b) characters.push_back(static_cast<char16_t>(b));
    characters += FromUtf8(std::string(upperHalf.begin(), upperHalf.end()));
    for (int b = 0; b < 0x100; ++b) bytes.push_back(static_cast<char>(b));
    EXPECT_EQ(FromCp1252(bytes), characters);
    EXPECT_EQ(ToCp1252(characters), bytes);
    EXPECT_EQ(ToCp1252(u"\u0080\u009f\u0100\U0001F600"), "????");  // one '?' for each character without a byte
}

}  // namespace
}  // namespace orvik
