#pragma once
// The engine's list interface over a report-view list control: a name list's
// one column without a header, or a report list's columns, with the
// pictures the list's description names.

#include <windows.h>
// after windows.h
#include <commctrl.h>

#include "engine/iListView.h"
#include "forms/cForm.h"

namespace orvik {

class cWin32ListView final : public iListView {
public:
    // Gives the control its columns and its image list.
    cWin32ListView(HWND list, const cControl& description);
    ~cWin32ListView() override;
    cWin32ListView(const cWin32ListView&) = delete;
    cWin32ListView& operator=(const cWin32ListView&) = delete;

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

private:
    HWND m_List;
    HIMAGELIST m_Images;
};

}  // namespace orvik
