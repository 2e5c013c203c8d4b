#pragma once
// What the controller collection needs of the window that shows it: the two
// lists it writes, and the place where changed job figures are applied.

#include <vector>

#include "engine/cCollectionJob.h"

namespace orvik {

class iListView;

class iCollectionView {
public:
    virtual ~iCollectionView() = default;
    virtual iListView& GetControllerList() = 0;
    virtual iListView& GetUserList() = 0;
    // Applies each job copy to its controller's row; the copies are the view's to drop.
    virtual void ApplyJobResults(std::vector<cCollectionJob>& jobs) = 0;
};

}  // namespace orvik
