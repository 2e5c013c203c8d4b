#include "engine/cUserKeyIndex.h"

#include "engine/TextHash.h"

namespace orvik {

std::uint64_t cUserKeyIndex::HashKey(const cUserInfo& record) noexcept {
    // The domain exactly, a separator no code unit sequence can imitate (the
    // domain's length), then the user name with A to Z folded.
    std::uint64_t h = HashText(kTextHashStart, record.m_Domain, false);
    h = HashUnit(h, static_cast<std::uint32_t>(record.m_Domain.size()) | 0x10000u);
    return FinishHash(HashText(h, record.m_UserName, true));
}

cUserInfo* cUserKeyIndex::Find(const cUserInfo& record, std::uint64_t hash) const noexcept {
    if (m_Slots.empty()) return nullptr;
    const std::size_t mask = m_Slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& s = m_Slots[i];
        if (s.record == nullptr) return nullptr;
        if (s.hash == hash && s.record->SameKey(record)) return s.record;
    }
}

void cUserKeyIndex::Prefetch(std::uint64_t hash) const noexcept {
    if (!m_Slots.empty()) __builtin_prefetch(&m_Slots[hash & (m_Slots.size() - 1)]);
}

void cUserKeyIndex::PrefetchCandidate(std::uint64_t hash) const noexcept {
    if (m_Slots.empty()) return;
    const Slot& s = m_Slots[hash & (m_Slots.size() - 1)];
    if (s.record != nullptr && s.hash == hash) {
        __builtin_prefetch(s.record);
        __builtin_prefetch(s.record->m_UserName.data());
    }
}

void cUserKeyIndex::Insert(cUserInfo* record, std::uint64_t hash) {
    // Keep the load at most one half, so probes stay short.
    if ((m_Count + 1) * 2 > m_Slots.size()) Rehash(m_Slots.empty() ? 1024 : m_Slots.size() * 2);
    const std::size_t mask = m_Slots.size() - 1;
    std::size_t i = hash & mask;
    while (m_Slots[i].record != nullptr) i = (i + 1) & mask;
    m_Slots[i] = Slot{hash, record};
    ++m_Count;
}

void cUserKeyIndex::Clear() noexcept {
    std::vector<Slot>().swap(m_Slots);
    m_Count = 0;
}

void cUserKeyIndex::Reserve(std::size_t count) {
    std::size_t slots = 1024;
    while (slots < count * 2) slots *= 2;
    if (slots > m_Slots.size()) Rehash(slots);
}

void cUserKeyIndex::Rehash(std::size_t slotCount) {
    std::vector<Slot> old(slotCount, Slot{0, nullptr});
    old.swap(m_Slots);
    const std::size_t mask = m_Slots.size() - 1;
    for (const Slot& s : old) {
        if (s.record == nullptr) continue;
        std::size_t i = s.hash & mask;
        while (m_Slots[i].record != nullptr) i = (i + 1) & mask;
        m_Slots[i] = s;
    }
}

}  // namespace orvik
