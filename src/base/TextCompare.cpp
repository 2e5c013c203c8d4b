#include "base/TextCompare.h"

#include <algorithm>

namespace orvik {

namespace {

template <typename Fold>
int CompareFolded(std::u16string_view a, std::u16string_view b, Fold fold) noexcept {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t x = fold(a[i]);
        const char16_t y = fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int CompareExact(std::u16string_view a, std::u16string_view b) noexcept {
    const int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) noexcept { return CompareFolded(a, b, FoldAscii); }

bool EqualNoCase(std::u16string_view a, std::u16string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::u16string ToUpperAscii(std::u16string_view s) {
    std::u16string out(s);
    for (char16_t& c : out) c = UpperAscii(c);
    return out;
}

bool ContainsNoCase(std::u16string_view haystack, std::u16string_view needle) noexcept {
    if (needle.empty()) return true;
    if (needle.size() > haystack.size()) return false;
    const char16_t first = FoldAscii(needle[0]);
    const std::size_t last = haystack.size() - needle.size();
    for (std::size_t i = 0; i <= last; ++i) {
        if (FoldAscii(haystack[i]) != first) continue;
        std::size_t k = 1;
        while (k < needle.size() && FoldAscii(haystack[i + k]) == FoldAscii(needle[k])) ++k;
        if (k == needle.size()) return true;
    }
    return false;
}

std::u16string Widen(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (unsigned char c : s) out.push_back(static_cast<char16_t>(c));
    return out;
}

std::string ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    auto put = [&out](char32_t cp) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            put(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (s[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            put(0xFFFD);
        } else {
            put(c);
        }
    }
    return out;
}

std::u16string FromUtf8(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b0 = static_cast<unsigned char>(s[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (b0 < 0x80) {
            cp = b0;
        } else {
            std::size_t need = 0;
            char32_t min = 0;
            if ((b0 & 0xE0) == 0xC0) {
                need = 1;
                cp = b0 & 0x1F;
                min = 0x80;
            } else if ((b0 & 0xF0) == 0xE0) {
                need = 2;
                cp = b0 & 0x0F;
                min = 0x800;
            } else if ((b0 & 0xF8) == 0xF0) {
                need = 3;
                cp = b0 & 0x07;
                min = 0x10000;
            }
            bool ok = need > 0;
            for (std::size_t k = 1; ok && k <= need; ++k) {
                if (i + k >= s.size()) {
                    ok = false;
                    break;
                }
                const auto b = static_cast<unsigned char>(s[i + k]);
                if ((b & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (b & 0x3F);
            }
            if (ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF)) {
                len = need + 1;
            } else {
                cp = 0xFFFD;
                len = 1;
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::u16string FormatLong(std::int64_t value) { return Widen(std::to_string(value)); }

std::u16string GroupThousands(long long value, char16_t separator) {
    const std::string digits =
        std::to_string(value < 0 ? -static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value));
    std::u16string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && separator != 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += static_cast<char16_t>(digits[i]);
    }
    return value < 0 ? u"-" + out : out;
}

}  // namespace orvik
