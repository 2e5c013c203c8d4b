#include "engine/cMemoryListView.h"

#include <algorithm>

namespace orvik {

int cMemoryListView::InsertRow(int row, const std::u16string& text, int image) {
    if (row < 0 || static_cast<std::size_t>(row) > m_Rows.size()) row = static_cast<int>(m_Rows.size());
    Row r;
    r.cells.push_back(text);
    r.image = image;
    m_Rows.insert(m_Rows.begin() + row, std::move(r));
    return row;
}

void cMemoryListView::SetCellText(int row, int column, const std::u16string& text) {
    if (!Valid(row) || column < 0) return;
    auto& cells = m_Rows[static_cast<std::size_t>(row)].cells;
    if (cells.size() <= static_cast<std::size_t>(column)) cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = text;
}

std::u16string cMemoryListView::GetCellText(int row, int column) const {
    if (!Valid(row) || column < 0) return {};
    const auto& cells = m_Rows[static_cast<std::size_t>(row)].cells;
    return static_cast<std::size_t>(column) < cells.size() ? cells[static_cast<std::size_t>(column)] : std::u16string();
}

void cMemoryListView::SetRowImage(int row, int image) {
    if (Valid(row)) m_Rows[static_cast<std::size_t>(row)].image = image;
}

void cMemoryListView::SetItemData(int row, void* data) {
    if (Valid(row)) m_Rows[static_cast<std::size_t>(row)].data = data;
}

void* cMemoryListView::GetItemData(int row) const {
    return Valid(row) ? m_Rows[static_cast<std::size_t>(row)].data : nullptr;
}

void cMemoryListView::DeleteRow(int row) {
    if (Valid(row)) m_Rows.erase(m_Rows.begin() + row);
}

void cMemoryListView::DeleteAllRows() { m_Rows.clear(); }

int cMemoryListView::GetRowCount() const { return static_cast<int>(m_Rows.size()); }

std::vector<int> cMemoryListView::GetSelectedRows() const {
    std::vector<int> rows;
    for (std::size_t i = 0; i < m_Rows.size(); ++i) {
        if (m_Rows[i].selected) rows.push_back(static_cast<int>(i));
    }
    return rows;
}

void cMemoryListView::SetSelected(int row, bool selected) {
    if (Valid(row)) m_Rows[static_cast<std::size_t>(row)].selected = selected;
}

void cMemoryListView::SortRows(const std::function<int(const void*, const void*)>& compare) {
    std::stable_sort(m_Rows.begin(), m_Rows.end(), [&](const Row& a, const Row& b) {
        return a.data != nullptr && b.data != nullptr && compare(a.data, b.data) < 0;
    });
}

}  // namespace orvik
