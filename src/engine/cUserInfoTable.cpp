#include "engine/cUserInfoTable.h"

#include <algorithm>

#include "base/FormatTime.h"
#include "base/TextCompare.h"
#include "engine/TextRanks.h"
#include "engine/cUserInfoBatch.h"
#include "engine/iListView.h"
#include "settings/cArchiveReader.h"
#include "settings/cArchiveWriter.h"
#include "settings/cSetupData.h"

namespace orvik {

cUserInfoTable::~cUserInfoTable() { Clear(); }

void cUserInfoTable::MergeBatch(std::unique_ptr<cUserInfoBatch> batch) {
    if (!batch) return;
    m_DisplayCurrent = false;
    auto& records = batch->Records();
    std::vector<cUserInfo*> fresh;
    fresh.reserve(records.size());
    m_Index.Reserve(m_Merged.size() + records.size());
    // Batch order decides which report of a user comes first, also within
    // one batch: the first one is indexed, later ones only raise its logon.
    // The lookups go in groups whose memory is requested ahead, so that the
    // cache misses of a group overlap instead of following each other.
    constexpr std::size_t kGroup = 64;
    std::uint64_t hashes[kGroup];
    for (std::size_t start = 0; start < records.size(); start += kGroup) {
        const std::size_t end = std::min(records.size(), start + kGroup);
        for (std::size_t i = start; i < end; ++i) {
            hashes[i - start] = cUserKeyIndex::HashKey(*records[i]);
            m_Index.Prefetch(hashes[i - start]);
        }
        for (std::size_t i = start; i < end; ++i) m_Index.PrefetchCandidate(hashes[i - start]);
        for (std::size_t i = start; i < end; ++i) {
            auto& owned = records[i];
            cUserInfo* u = owned.get();
            const std::uint64_t h = hashes[i - start];
            if (cUserInfo* t = m_Index.Find(*u, h)) {
                if (u->m_LastLogon > t->m_LastLogon) t->m_LastLogon = u->m_LastLogon;
                owned.reset();
            } else {
                m_Index.Insert(u, h);
                fresh.push_back(owned.release());
            }
        }
    }
    records.clear();
    batch.reset();
    if (!fresh.empty()) InsertSorted(fresh);
}

void cUserInfoTable::InsertSorted(std::vector<cUserInfo*>& fresh) {
    // The new keys are distinct from each other and from the table's.
    auto keyLess = [](const cUserInfo* a, const cUserInfo* b) { return a->CompareKey(*b) < 0; };
    std::sort(fresh.begin(), fresh.end(), keyLess);

    const std::size_t n = m_Merged.size();
    const std::size_t k = fresh.size();
    // Where each new record goes among the old ones: a lower-bound search
    // per new record, all of them advanced one step at a time together so
    // that the memory reads of one step overlap (the records sit all over
    // the heap; searched one after the other, every step would wait).
    std::vector<std::size_t> pos(k, 0);
    std::vector<std::size_t> len(k, n);
    cUserInfo* const* merged = m_Merged.data();
    for (bool searching = n > 0; searching;) {
        searching = false;
        for (std::size_t j = 0; j < k; ++j) {
            if (len[j] == 0) continue;
            const cUserInfo* probe = merged[pos[j] + len[j] / 2];
            __builtin_prefetch(probe);
            __builtin_prefetch(reinterpret_cast<const char*>(probe) + 64);
        }
        for (std::size_t j = 0; j < k; ++j) {
            if (len[j] == 0) continue;
            __builtin_prefetch(merged[pos[j] + len[j] / 2]->m_UserName.data());
        }
        for (std::size_t j = 0; j < k; ++j) {
            if (len[j] == 0) continue;
            const std::size_t half = len[j] / 2;
            if (keyLess(merged[pos[j] + half], fresh[j])) {
                pos[j] += half + 1;
                len[j] -= half + 1;
            } else {
                len[j] = half;
            }
            searching = searching || len[j] > 0;
        }
    }
    // One pass from the back: each run of old records moves up by the
    // number of new records that go before its end.
    m_Merged.resize(n + k);
    cUserInfo** data = m_Merged.data();
    std::size_t srcEnd = n;
    for (std::size_t j = k; j-- > 0;) {
        const std::size_t p = pos[j];
        std::move_backward(data + p, data + srcEnd, data + srcEnd + j + 1);
        data[p + j] = fresh[j];
        srcEnd = p;
    }
}

void cUserInfoTable::Clear() noexcept {
    m_Display.clear();
    m_DisplayCurrent = false;
    m_Index.Clear();
    for (cUserInfo* u : m_Merged) delete u;
    m_Merged.clear();
}

std::vector<std::uint32_t> cUserInfoTable::UserNameRanks() const {
    // Within one domain the merged records already stand in user name order
    // (the merge key), so each domain's run is ranked by one walk; with
    // several domains the runs are merged by a heap of their heads.
    const std::size_t n = m_Merged.size();
    std::vector<std::uint32_t> ranks(n);
    std::vector<std::pair<std::size_t, std::size_t>> runs;  // [begin, end) of each domain
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && m_Merged[j]->m_Domain == m_Merged[i]->m_Domain) ++j;
        runs.emplace_back(i, j);
        i = j;
    }
    auto nameOf = [this](std::size_t i) -> const std::u16string& { return m_Merged[i]->m_UserName; };
    std::uint32_t rank = 0;
    const std::u16string* previous = nullptr;
    auto assign = [&](std::size_t i) {
        if (previous != nullptr && CompareNoCase(*previous, nameOf(i)) != 0) ++rank;
        ranks[i] = rank;
        previous = &nameOf(i);
    };
    if (runs.size() <= 1) {
        for (std::size_t i = 0; i < n; ++i) assign(i);
        return ranks;
    }
    // Heap of run heads, smallest name on top.
    auto greater = [&](const std::pair<std::size_t, std::size_t>& a, const std::pair<std::size_t, std::size_t>& b) {
        return CompareNoCase(nameOf(a.first), nameOf(b.first)) > 0;
    };
    std::make_heap(runs.begin(), runs.end(), greater);
    while (!runs.empty()) {
        std::pop_heap(runs.begin(), runs.end(), greater);
        auto& run = runs.back();
        assign(run.first);
        if (++run.first == run.second)
            runs.pop_back();
        else
            std::push_heap(runs.begin(), runs.end(), greater);
    }
    return ranks;
}

void cUserInfoTable::Sort() {
    // Nothing merged and no other order asked for since the last sort: the display order stands.
    if (m_DisplayCurrent) return;
    // Each record gets a 64-bit key that orders exactly as Compare does: the
    // column's value (its rank among the column's texts, or the last logon)
    // above the rank of the user name. Equal keys keep merge order.
    const std::size_t n = m_Merged.size();
    const std::vector<std::uint32_t> userRanks = UserNameRanks();
    std::vector<std::u16string_view> texts;

    std::vector<std::uint32_t> columnRanks;
    const int column = m_SortColumn;
    const bool byText = column == kColFullName || column == kColDescription || column == kColDomain;
    if (byText) {
        texts.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            const cUserInfo& u = *m_Merged[i];
            texts[i] = column == kColFullName ? u.m_FullName : column == kColDescription ? u.m_Description : u.m_Domain;
        }
        columnRanks = RankTextsNoCase(texts);
    }
    std::vector<std::u16string_view>().swap(texts);

    struct Entry {
        std::uint64_t key;
        std::uint32_t index;
    };
    std::vector<Entry> entries(n);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint64_t high = 0;
        if (byText)
            high = columnRanks[i];
        else if (column != kColUserName)
            high = m_Merged[i]->m_LastLogon;  // last logon, also for unknown columns
        std::uint64_t key = (high << 32) | userRanks[i];
        if (!m_Ascending) key = ~key;
        entries[i] = Entry{key, static_cast<std::uint32_t>(i)};
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.key != b.key ? a.key < b.key : a.index < b.index; });
    m_Display.resize(n);
    for (std::size_t i = 0; i < n; ++i) m_Display[i] = m_Merged[entries[i].index];
    m_DisplayCurrent = true;
}

void cUserInfoTable::SetSortColumn(int column) {
    if (column < kColUserName || column > kColDomain) return;
    m_DisplayCurrent = false;
    if (column == m_SortColumn) {
        m_Ascending = !m_Ascending;
    } else {
        m_SortColumn = column;
        m_Ascending = false;
    }
}

cShownUsers cUserInfoTable::ShowUsers(iListView& list, std::u16string_view filter, std::int32_t limit) const {
    list.DeleteAllRows();
    const std::int32_t shown = UsersShownLimit(limit);
    cShownUsers said{0, filter.empty() ? m_Display.size() : 0, m_Merged.size(), std::u16string(filter)};
    std::int32_t count = 0;
    for (const cUserInfo* u : m_Display) {
        if (count >= shown) {
            if (filter.empty()) break;
            said.matching += u->Matches(filter) ? 1 : 0;  // only counted
            continue;
        }
        if (u->Matches(filter)) {
            const int row = list.InsertRow(count, u->m_UserName, 0);
            std::u16string logon = FormatTime(u->m_LastLogon);
            list.SetCellText(row, kColLastLogon, logon.empty() ? std::u16string(u"Never") : logon);
            list.SetCellText(row, kColFullName, u->m_FullName);
            list.SetCellText(row, kColDescription, u->m_Description);
            list.SetCellText(row, kColDomain, u->m_Domain);
            ++count;
            said.matching += filter.empty() ? 0 : 1;
        }
    }
    said.shown = static_cast<std::size_t>(count);
    return said;
}

void cUserInfoTable::Serialize(cArchiveWriter& ar) const {
    ar.WriteCount(m_Merged.size());
    for (const cUserInfo* u : m_Merged) {
        ar.WriteObjectClass(cUserInfo::kClassName, cUserInfo::kSchema);
        u->Serialize(ar);
    }
    ar.WriteU32(static_cast<std::uint32_t>(m_SortColumn));
}

void cUserInfoTable::Serialize(cArchiveReader& ar) {
    const std::uint32_t count = ar.ReadCount();
    std::vector<std::unique_ptr<cUserInfo>> records;
    // The smallest entry takes 9 bytes: never reserve more than the rest could hold.
    records.reserve(std::min<std::size_t>(count, ar.Remaining() / 9));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint16_t schema = ar.ReadObjectClass(cUserInfo::kClassName);
        auto u = std::make_unique<cUserInfo>();
        u->Serialize(ar, schema);
        records.push_back(std::move(u));
    }
    const auto column = static_cast<std::int32_t>(ar.ReadU32());
    AdoptRecords(std::move(records));
    m_SortColumn = column;
    m_Ascending = false;
    m_DisplayCurrent = false;
}

void cUserInfoTable::AdoptRecords(std::vector<std::unique_ptr<cUserInfo>> records) {
    Clear();
    bool ordered = true;
    for (std::size_t i = 1; i < records.size() && ordered; ++i) {
        ordered = records[i - 1]->CompareKey(*records[i]) < 0;
    }
    if (!ordered) {
        auto batch = std::make_unique<cUserInfoBatch>();
        batch->Records() = std::move(records);
        MergeBatch(std::move(batch));
        return;
    }
    m_Merged.reserve(records.size());
    m_Index.Reserve(records.size());
    for (auto& owned : records) {
        cUserInfo* u = owned.release();
        m_Merged.push_back(u);
        m_Index.Insert(u, cUserKeyIndex::HashKey(*u));
    }
}

void cUserInfoTable::Swap(cUserInfoTable& other) noexcept {
    m_Merged.swap(other.m_Merged);
    m_Display.swap(other.m_Display);
    std::swap(m_Index, other.m_Index);
    std::swap(m_SortColumn, other.m_SortColumn);
    std::swap(m_Ascending, other.m_Ascending);
    std::swap(m_DisplayCurrent, other.m_DisplayCurrent);
}

}  // namespace orvik
