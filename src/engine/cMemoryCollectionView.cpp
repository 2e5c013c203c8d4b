#include "engine/cMemoryCollectionView.h"

#include "engine/ListFunctions.h"

namespace orvik {

void cMemoryCollectionView::ApplyJobResults(std::vector<cCollectionJob>& jobs) {
    ApplyJobsToControllerRows(m_Controllers, jobs);
    jobs.clear();
}

}  // namespace orvik
