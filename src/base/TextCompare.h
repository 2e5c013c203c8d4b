#pragma once
// Comparison helpers for the program's UTF-16 text. Case is ignored only for
// the letters A to Z; every other code unit compares by its value, so the
// ordering never depends on the machine's locale.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvik {

constexpr char16_t FoldAscii(char16_t c) noexcept {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

constexpr char16_t UpperAscii(char16_t c) noexcept {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// -1, 0 or 1: the first differing code unit decides, a string that ends first is smaller.
int CompareExact(std::u16string_view a, std::u16string_view b) noexcept;

// As CompareExact, after folding A to Z to a to z.
int CompareNoCase(std::u16string_view a, std::u16string_view b) noexcept;

bool EqualNoCase(std::u16string_view a, std::u16string_view b) noexcept;

// Upper-cases the letters a to z, leaves everything else.
std::u16string ToUpperAscii(std::u16string_view s);

// True when `needle` occurs in `haystack`, letters A to Z matched in either case.
// An empty needle occurs everywhere.
bool ContainsNoCase(std::u16string_view haystack, std::u16string_view needle) noexcept;

// ASCII or Latin-1 text widened unit by unit (used for the program's own fixed texts and numbers).
std::u16string Widen(std::string_view s);

// UTF-16 to UTF-8, for standard output and test messages. Lone surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view s);

// UTF-8 to UTF-16. Invalid sequences become U+FFFD.
std::u16string FromUtf8(std::string_view s);

// A signed number in decimal, as "%ld" prints it.
std::u16string FormatLong(std::int64_t value);

// `value` with its thousands grouped by `separator` ("32,767"); no separator when it is 0.
std::u16string GroupThousands(long long value, char16_t separator);

}  // namespace orvik
