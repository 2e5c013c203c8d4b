#pragma once
// An iListView kept in memory: rows of cell texts, an image and item data.

#include <string>
#include <vector>

#include "engine/iListView.h"

namespace orvik {

class cMemoryListView final : public iListView {
public:
    struct Row {
        std::vector<std::u16string> cells;
        int image = -1;
        void* data = nullptr;
        bool selected = false;
    };

    int InsertRow(int row, const std::u16string& text, int image) override;
    void SetCellText(int row, int column, const std::u16string& text) override;
    std::u16string GetCellText(int row, int column) const override;
    void SetRowImage(int row, int image) override;
    void SetItemData(int row, void* data) override;
    void* GetItemData(int row) const override;
    void DeleteRow(int row) override;
    void DeleteAllRows() override;
    int GetRowCount() const override;
    std::vector<int> GetSelectedRows() const override;

    void SetSelected(int row, bool selected) override;
    void SortRows(const std::function<int(const void*, const void*)>& compare) override;
    const Row& GetRow(int row) const { return m_Rows.at(static_cast<std::size_t>(row)); }

private:
    bool Valid(int row) const { return row >= 0 && static_cast<std::size_t>(row) < m_Rows.size(); }

    std::vector<Row> m_Rows;
};

}  // namespace orvik
