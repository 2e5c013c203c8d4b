#pragma once
// Font strings: how the report fonts are kept in the settings. Thirteen
// decimal integers and a face name, each followed by "," except the face
// name, carrying the fields of a Windows LOGFONT in its order. Heights are in
// the screen's logical units (negative: character height; positive: cell
// height).

#include <cstdint>
#include <string>

namespace orvik {

struct cSetupData;

// The report fonts; the numbers choose the defaults.
enum FontKind : int { HeaderFooter = 1, Strong = 2, Regular = 3 };

// The face name holds at most this many characters.
inline constexpr std::size_t kFaceNameLength = 31;

struct LogFont {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    std::u16string lfFaceName;

    bool operator==(const LogFont&) const = default;
};

// Fills `font` from `text` and returns 0, or returns -1 when the text has
// fewer than thirteen commas. Each number is read the way atol reads it
// (blanks skipped, an optional sign, the digits up to the first other
// character; none gives 0); the last eight fields take its low 8 bits. A
// number field of 20 characters or more makes the whole text unreadable (-1).
// The face name is everything after the thirteenth comma, at most 31
// characters, commas included.
int ParseFontString(std::u16string_view text, LogFont& font);

// The font string of `font`: the numbers in plain decimal, then the face name.
std::u16string FormatFontString(const LogFont& font);

// The default font string of a kind; any kind but HeaderFooter and Strong
// gives the Regular default.
std::u16string DefaultFontString(int kind);

// The settings field that holds a kind's font string.
std::u16string& FontField(cSetupData& setup, int kind);
const std::u16string& FontField(const cSetupData& setup, int kind);

// The font of a kind from its field, or the kind's default when the field
// does not parse.
LogFont FontOfKind(const std::u16string& field, int kind);

// The same, but a field that does not parse is replaced by the default.
LogFont RepairFontOfKind(std::u16string& field, int kind);

// A font height in the screen's units scaled to a device's pixels per inch
// (MulDiv rounding), always negative (character height) unless 0.
std::int32_t DeviceFontHeight(std::int32_t screenHeight, std::int32_t devicePpi, std::int32_t screenPpi);

// a * b / c rounded half away from zero, computed without overflow; -1 when
// c is 0 or the result does not fit 32 bits, as the Windows function does.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

}  // namespace orvik
