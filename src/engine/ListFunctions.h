#pragma once
// Small list helpers shared by the collection and the windows.

#include <string>
#include <string_view>
#include <vector>

#include "engine/cCollectionJob.h"

namespace orvik {

class iListView;

// The first row whose column 0 equals `text` ignoring case, or -1.
int FindListItem(const iListView& list, std::u16string_view text);

// The first selected row, or -1.
int GetFirstSelectedItem(const iListView& list);

// The first row whose item data is `data`, or -1.
int FindListItemByData(const iListView& list, const void* data);

// Position of the first string equal to `text` ignoring case, or -1.
int FindStringInArray(const std::vector<std::u16string>& array, std::u16string_view text);

// Applies each job copy to the first row that carries a controller record and
// names that controller (ignoring case); rows without a record are skipped.
void ApplyJobsToControllerRows(iListView& controllerList, const std::vector<cCollectionJob>& jobs);

}  // namespace orvik
