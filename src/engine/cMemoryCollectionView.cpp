#include "engine/cMemoryCollectionView.h"

#include "engine/ListFunctions.h"

namespace orvik {

void cMemoryCollectionView::ShowControllers(const std::vector<const cDomainController*>& changed) {
    RedrawControllerRows(m_Controllers, changed);
}

}  // namespace orvik
