#pragma once
// A hash index over the merged user records by merge key (domain exactly,
// user name ignoring case), so that a record reported again by another
// controller finds its merged record without a search of the ordered table.
// Open addressing with linear probing; it refers to records, owns none.

#include <cstdint>
#include <vector>

#include "engine/cUserInfo.h"

namespace orvik {

class cUserKeyIndex {
public:
    static std::uint64_t HashKey(const cUserInfo& record) noexcept;

    // The indexed record with the same merge key, or nullptr.
    cUserInfo* Find(const cUserInfo& record, std::uint64_t hash) const noexcept;
    // Asks the processor to fetch the slot where a lookup of `hash` starts and
    // the record found there, so that lookups of a whole page can overlap
    // their memory latency. Changes nothing.
    void Prefetch(std::uint64_t hash) const noexcept;
    void PrefetchCandidate(std::uint64_t hash) const noexcept;
    // Adds a record whose key is not indexed yet.
    void Insert(cUserInfo* record, std::uint64_t hash);
    void Clear() noexcept;
    void Reserve(std::size_t count);
    std::size_t Size() const noexcept { return m_Count; }
    std::size_t MemoryBytes() const noexcept { return m_Slots.capacity() * sizeof(Slot); }

private:
    struct Slot {
        std::uint64_t hash;
        cUserInfo* record;
    };
    void Rehash(std::size_t slotCount);

    std::vector<Slot> m_Slots;
    std::size_t m_Count = 0;
};

}  // namespace orvik
