#pragma once
// The merged users: one record per domain and user name holding the latest
// last logon any controller reported, kept in merge-key order, plus a display
// order for the user list and the export.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "engine/UserCountTexts.h"
#include "engine/cUserInfo.h"
#include "engine/cUserKeyIndex.h"

namespace orvik {

class cArchiveReader;
class cArchiveWriter;
class cUserInfoBatch;
class iListView;

class cUserInfoTable {
public:
    static constexpr int kDefaultSortColumn = kColLastLogon;

    cUserInfoTable() = default;
    ~cUserInfoTable();
    cUserInfoTable(const cUserInfoTable&) = delete;
    cUserInfoTable& operator=(const cUserInfoTable&) = delete;

    // Merges every record of the batch and drops the batch. A record whose
    // key is already present raises that record's last logon to the larger
    // of the two (unsigned) and is dropped, so the spelling and texts of the
    // first report of a user stay. The display order is left alone; sort
    // again before showing.
    void MergeBatch(std::unique_ptr<cUserInfoBatch> batch);

    void Clear() noexcept;

    // Rebuilds the display order under the current column and direction
    // (at once when nothing changed since the last time). Records that the
    // column cannot tell apart keep their merge order.
    void Sort();

    // Same column: flip the direction; another column 0 to 4: take it,
    // descending; anything else: no change.
    void SetSortColumn(int column);

    std::size_t GetCount() const noexcept { return m_Merged.size(); }
    int GetSortColumn() const noexcept { return m_SortColumn; }
    bool IsAscending() const noexcept { return m_Ascending; }

    // The merged records as object entries, then the sort column (U32).
    void Serialize(cArchiveWriter& ar) const;
    // Replaces the records and the sort column with those read; the direction
    // becomes descending. Records that are not in merge order (a damaged
    // file) are merged as if reported, so the table's order always holds.
    void Serialize(cArchiveReader& ar);

    // Takes records over: in strict merge order they are kept as they are,
    // otherwise they are merged one batch-order pass.
    void AdoptRecords(std::vector<std::unique_ptr<cUserInfo>> records);

    void Swap(cUserInfoTable& other) noexcept;

    // Puts a stored sort column back as it was read (no range check, no flip).
    void RestoreSortColumn(int column) noexcept {
        m_SortColumn = column;
        m_DisplayCurrent = false;
    }

    // Fills the user list from the display order: at most `limit` rows of
    // the records that match `filter` (see UsersShownLimit for limits <= 0).
    // Returns how many it shows of how many.
    cShownUsers ShowUsers(iListView& list, std::u16string_view filter, std::int32_t limit) const;

    const std::vector<cUserInfo*>& Merged() const noexcept { return m_Merged; }
    const std::vector<cUserInfo*>& Display() const noexcept { return m_Display; }

private:
    void InsertSorted(std::vector<cUserInfo*>& fresh);
    std::vector<std::uint32_t> UserNameRanks() const;

    std::vector<cUserInfo*> m_Merged;   // owns its records, ascending by merge key
    std::vector<cUserInfo*> m_Display;  // refers to the same records
    cUserKeyIndex m_Index;
    int m_SortColumn = kDefaultSortColumn;
    bool m_Ascending = false;
    bool m_DisplayCurrent = false;  // the display order is that of the current records and column
};

}  // namespace orvik
