#pragma once
// Small list helpers shared by the collection and the windows.

#include <string>
#include <string_view>
#include <vector>

#include "engine/cDomainController.h"

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

// Draws the rows of these controllers again from their records.
void RedrawControllerRows(iListView& controllerList, const std::vector<const cDomainController*>& changed);

}  // namespace orvik
