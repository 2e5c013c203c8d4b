#pragma once
// Ranks of texts in case-insensitive order: texts equal ignoring the case of
// A to Z get the same rank, and ranks ascend as CompareNoCase does. Sorting by
// such ranks compares integers instead of strings that live all over the heap.

#include <cstdint>
#include <string_view>
#include <vector>

namespace orvik {

std::vector<std::uint32_t> RankTextsNoCase(const std::vector<std::u16string_view>& texts);

}  // namespace orvik
