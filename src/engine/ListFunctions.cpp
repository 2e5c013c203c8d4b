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

void ApplyJobsToControllerRows(iListView& controllerList, const std::vector<cCollectionJob>& jobs) {
    const int rows = controllerList.GetRowCount();
    for (const cCollectionJob& job : jobs) {
        // The first row that carries a controller of that name; a job whose
        // controller has no row (removed while it ran) is dropped.
        for (int row = 0; row < rows; ++row) {
            auto* dc = static_cast<cDomainController*>(controllerList.GetItemData(row));
            if (dc == nullptr || !EqualNoCase(controllerList.GetCellText(row, 0), job.name)) continue;
            dc->UpdateFromJob(job, controllerList, row);
            break;
        }
    }
}

}  // namespace orvik
