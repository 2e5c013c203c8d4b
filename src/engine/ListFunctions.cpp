#include "engine/ListFunctions.h"

#include "base/TextCompare.h"
#include "engine/cDomainController.h"
#include "engine/iListView.h"

namespace orvik {

int FindListItem(const iListView& list, std::u16string_view text) {
    const int n = list.GetRowCount();
    for (int row = 0; row < n; ++row) {
        if (EqualNoCase(list.GetCellText(row, 0), text)) return row;
    }
    return -1;
}

int GetFirstSelectedItem(const iListView& list) {
    const std::vector<int> rows = list.GetSelectedRows();
    return rows.empty() ? -1 : rows.front();
}

int FindListItemByData(const iListView& list, const void* data) {
    const int n = list.GetRowCount();
    for (int row = 0; row < n; ++row) {
        if (list.GetItemData(row) == data) return row;
    }
    return -1;
}

int FindStringInArray(const std::vector<std::u16string>& array, std::u16string_view text) {
    for (std::size_t i = 0; i < array.size(); ++i) {
        if (EqualNoCase(array[i], text)) return static_cast<int>(i);
    }
    return -1;
}

void RedrawControllerRows(iListView& controllerList, const std::vector<const cDomainController*>& changed) {
    for (const cDomainController* dc : changed) {
        const int row = FindListItemByData(controllerList, dc);
        if (row >= 0) dc->FillRow(controllerList, row);
    }
}

}  // namespace orvik
