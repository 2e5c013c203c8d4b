#include "engine/TextRanks.h"

#include <algorithm>

#include "base/TextCompare.h"
#include "engine/TextHash.h"

namespace orvik {

namespace {

std::uint64_t HashFolded(std::u16string_view s) noexcept { return FinishHash(HashText(kTextHashStart, s, true)); }

// The first eight folded code units, packed so that comparing the two words
// as numbers orders like comparing the texts (a shorter text pads with 0).
struct Prefix {
    std::uint64_t hi = 0, lo = 0;
    explicit Prefix(std::u16string_view s) {
        for (std::size_t i = 0; i < 8; ++i) {
            const std::uint64_t unit = i < s.size() ? FoldAscii(s[i]) : 0;
            if (i < 4)
                hi |= unit << (48 - 16 * i);
            else
                lo |= unit << (48 - 16 * (i - 4));
        }
    }
};

}  // namespace

std::vector<std::uint32_t> RankTextsNoCase(const std::vector<std::u16string_view>& texts) {
    const std::size_t n = texts.size();
    // Group equal texts with a hash table of group numbers.
    std::size_t slots = 16;
    while (slots < n * 2) slots *= 2;
    struct Slot {
        std::uint64_t hash;
        std::uint32_t group;  // group + 1; 0 is empty
    };
    std::vector<Slot> table(slots, Slot{0, 0});
    std::vector<std::uint32_t> groupOf(n);
    std::vector<std::uint32_t> firstOfGroup;
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t h = HashFolded(texts[i]);
        std::size_t s = h & (slots - 1);
        for (;; s = (s + 1) & (slots - 1)) {
            if (table[s].group == 0) {
                firstOfGroup.push_back(static_cast<std::uint32_t>(i));
                table[s] = Slot{h, static_cast<std::uint32_t>(firstOfGroup.size())};
                groupOf[i] = table[s].group - 1;
                break;
            }
            if (table[s].hash == h && EqualNoCase(texts[firstOfGroup[table[s].group - 1]], texts[i])) {
                groupOf[i] = table[s].group - 1;
                break;
            }
        }
    }
    // Order the distinct texts: by prefix, the whole text only where the prefixes agree.
    struct Entry {
        Prefix prefix;
        std::uint32_t group;
    };
    std::vector<Entry> entries;
    entries.reserve(firstOfGroup.size());
    for (std::uint32_t g = 0; g < firstOfGroup.size(); ++g) entries.push_back(Entry{Prefix(texts[firstOfGroup[g]]), g});
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.prefix.hi != b.prefix.hi) return a.prefix.hi < b.prefix.hi;
        if (a.prefix.lo != b.prefix.lo) return a.prefix.lo < b.prefix.lo;
        return CompareNoCase(texts[firstOfGroup[a.group]], texts[firstOfGroup[b.group]]) < 0;
    });
    std::vector<std::uint32_t> rankOfGroup(entries.size());
    for (std::uint32_t r = 0; r < entries.size(); ++r) rankOfGroup[entries[r].group] = r;
    std::vector<std::uint32_t> ranks(n);
    for (std::size_t i = 0; i < n; ++i) ranks[i] = rankOfGroup[groupOf[i]];
    return ranks;
}

}  // namespace orvik
