#pragma once
// The Western 8-bit code page of Windows (1252), which stands in for the
// system's ANSI code page: 8-bit texts in configuration files are read with
// it, and the export and summary files are written with it.

#include <string>
#include <string_view>

namespace orvik {

// Every byte has a character (the five bytes 1252 leaves open map to the C1
// controls of the same value, as Windows does).
char16_t FromCp1252(unsigned char byte) noexcept;
std::u16string FromCp1252(std::string_view bytes);

// Characters the code page lacks become '?'.
char ToCp1252(char16_t c) noexcept;
std::string ToCp1252(std::u16string_view text);

}  // namespace orvik
