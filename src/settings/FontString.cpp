#include "settings/FontString.h"

#include <limits>

#include "base/TextCompare.h"
#include "settings/cSetupData.h"

namespace orvik {
namespace {

constexpr int kNumberFields = 13;
// A field this long or longer is no number a font dialog ever wrote.
constexpr std::size_t kLongestNumberField = 19;

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// atol's reading, clamped to 32 bits (a Windows long).
std::int32_t ReadLong(std::u16string_view field) {
    std::size_t i = 0;
    while (i < field.size() && IsBlank(field[i])) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == u'+' || field[i] == u'-')) negative = field[i++] == u'-';
    std::int64_t value = 0;
    for (; i < field.size() && field[i] >= u'0' && field[i] <= u'9'; ++i) {
        value = value * 10 + (field[i] - u'0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) break;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace

int ParseFontString(std::u16string_view text, LogFont& font) {
    std::int32_t numbers[kNumberFields];
    std::size_t at = 0;
    for (std::int32_t& number : numbers) {
        const std::size_t comma = text.find(u',', at);
        if (comma == std::u16string_view::npos || comma - at > kLongestNumberField) return -1;
        number = ReadLong(text.substr(at, comma - at));
        at = comma + 1;
    }
    font.lfHeight = numbers[0];
    font.lfWidth = numbers[1];
    font.lfEscapement = numbers[2];
    font.lfOrientation = numbers[3];
    font.lfWeight = numbers[4];
    std::uint8_t* bytes[] = {&font.lfItalic,       &font.lfUnderline,     &font.lfStrikeOut, &font.lfCharSet,
                             &font.lfOutPrecision, &font.lfClipPrecision, &font.lfQuality,   &font.lfPitchAndFamily};
    for (int i = 0; i < 8; ++i) *bytes[i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(numbers[5 + i]));
    font.lfFaceName = std::u16string(text.substr(at, kFaceNameLength));
    return 0;
}

std::u16string FormatFontString(const LogFont& f) {
    std::u16string text;
    for (std::int64_t n : {std::int64_t{f.lfHeight}, std::int64_t{f.lfWidth}, std::int64_t{f.lfEscapement},
                           std::int64_t{f.lfOrientation}, std::int64_t{f.lfWeight}, std::int64_t{f.lfItalic},
                           std::int64_t{f.lfUnderline}, std::int64_t{f.lfStrikeOut}, std::int64_t{f.lfCharSet},
                           std::int64_t{f.lfOutPrecision}, std::int64_t{f.lfClipPrecision}, std::int64_t{f.lfQuality},
                           std::int64_t{f.lfPitchAndFamily}}) {
        text += Widen(std::to_string(n));
        text += u',';
    }
    return text + f.lfFaceName;
}

std::u16string DefaultFontString(int kind) {
    switch (kind) {
        case HeaderFooter: return u"-11,0,0,0,400,255,0,0,0,3,2,1,34,Arial";
        case Strong: return u"-11,0,0,0,700,0,0,0,0,3,2,1,34,Arial";
        default: return u"-11,0,0,0,400,0,0,0,0,3,2,1,34,Arial";
    }
}

std::u16string& FontField(cSetupData& setup, int kind) {
    if (kind == HeaderFooter) return setup.m_HeaderFooterFont;
    if (kind == Strong) return setup.m_StrongFont;
    return setup.m_RegularFont;
}

const std::u16string& FontField(const cSetupData& setup, int kind) {
    return FontField(const_cast<cSetupData&>(setup), kind);
}

LogFont FontOfKind(const std::u16string& field, int kind) {
    LogFont font;
    if (ParseFontString(field, font) != 0) ParseFontString(DefaultFontString(kind), font);
    return font;
}

LogFont RepairFontOfKind(std::u16string& field, int kind) {
    LogFont font;
    if (ParseFontString(field, font) != 0) {
        field = DefaultFontString(kind);
        ParseFontString(field, font);
    }
    return font;
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t{a} * b;
    const std::int64_t half = (c < 0 ? -std::int64_t{c} : std::int64_t{c}) / 2;
    // Round half away from zero, as Windows does.
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -std::int64_t{c} : c);
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<std::int32_t>::max() || result < std::numeric_limits<std::int32_t>::min())
        return -1;
    return static_cast<std::int32_t>(result);
}

std::int32_t DeviceFontHeight(std::int32_t screenHeight, std::int32_t devicePpi, std::int32_t screenPpi) {
    const std::int32_t scaled = MulDiv(screenHeight, devicePpi, screenPpi);
    return scaled > 0 ? -scaled : scaled;
}

}  // namespace orvik
