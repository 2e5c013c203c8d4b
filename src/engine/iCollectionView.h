#pragma once
// What the controller collection needs of the window that shows it: the two
// lists it writes, and a redraw of the controllers whose figures changed.

#include <vector>

#include "engine/cDomainController.h"

namespace orvik {

class iListView;

class iCollectionView {
public:
    virtual ~iCollectionView() = default;
    virtual iListView& GetControllerList() = 0;
    virtual iListView& GetUserList() = 0;
    // Draws these controllers' rows again from their records.
    virtual void ShowControllers(const std::vector<const cDomainController*>& changed) = 0;
};

}  // namespace orvik
