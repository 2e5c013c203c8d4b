#pragma once
// What the controller collection needs of the window that shows it: the two
// lists it writes, a redraw of the controllers whose figures changed, and
// where to say how many users the user list shows.

#include <vector>

#include "engine/UserCountTexts.h"
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
    // Says how many users the user list shows of how many (a window without the line ignores it).
    virtual void ShowUserCount(const cShownUsers& /*users*/) {}
};

}  // namespace orvik
