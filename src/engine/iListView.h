#pragma once
// The small list interface through which the engine writes the controller
// list and the user list. The window implements it over its list widgets;
// cMemoryListView implements it in memory for tests and headless runs.

#include <functional>
#include <string>
#include <vector>

namespace orvik {

class iListView {
public:
    virtual ~iListView() = default;

    // Inserts a row before `row` (a row past the end appends) with `text` in
    // column 0 and the given image; returns the new row's index.
    virtual int InsertRow(int row, const std::u16string& text, int image) = 0;
    virtual void SetCellText(int row, int column, const std::u16string& text) = 0;
    virtual std::u16string GetCellText(int row, int column) const = 0;
    virtual void SetRowImage(int row, int image) = 0;
    virtual void SetItemData(int row, void* data) = 0;
    virtual void* GetItemData(int row) const = 0;
    virtual void DeleteRow(int row) = 0;
    virtual void DeleteAllRows() = 0;
    virtual int GetRowCount() const = 0;
    // Selected rows in row order.
    virtual std::vector<int> GetSelectedRows() const = 0;
    virtual void SetSelected(int row, bool selected) = 0;
    // Puts the rows in the order `compare` gives their item data (a stable
    // order; rows without item data compare equal), keeping the selection.
    virtual void SortRows(const std::function<int(const void*, const void*)>& compare) = 0;
};

}  // namespace orvik
