// Any text given to the font string parser (each byte one character, so
// that digits, signs and commas turn up often) either parses or is refused;
// what parses, formatted and parsed again, is the same font, and its
// formatting is then stable.

#include <cstdint>
#include <string>

#include "settings/FontString.h"

using namespace orvik;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text(data, data + size);
    LogFont font;
    const int parsed = ParseFontString(text, font);
    if (parsed == -1) return 0;
    if (parsed != 0 || font.lfFaceName.size() > kFaceNameLength) __builtin_trap();
    const std::u16string formatted = FormatFontString(font);
    LogFont again;
    if (ParseFontString(formatted, again) != 0 || !(again == font)) __builtin_trap();
    if (FormatFontString(again) != formatted) __builtin_trap();
    return 0;
}
