#pragma once
// A fast 64-bit hash of UTF-16 text for the program's hash tables: FNV-1a
// over the code units, then a final mix so the low bits are well spread.

#include <cstdint>
#include <string_view>

#include "base/TextCompare.h"

namespace orvik {

inline constexpr std::uint64_t kTextHashStart = 0xcbf29ce484222325ULL;

inline std::uint64_t HashUnit(std::uint64_t h, std::uint32_t unit) noexcept { return (h ^ unit) * 0x100000001b3ULL; }

// Continues `h` over the text exactly, or with A to Z folded.
inline std::uint64_t HashText(std::uint64_t h, std::u16string_view text, bool foldCase) noexcept {
    for (char16_t c : text) h = HashUnit(h, foldCase ? FoldAscii(c) : c);
    return h;
}

inline std::uint64_t FinishHash(std::uint64_t h) noexcept {
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

}  // namespace orvik
