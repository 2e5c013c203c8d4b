#pragma once
// A collection view without a window: two in-memory lists. Used by headless
// runs and tests.

#include "engine/cMemoryListView.h"
#include "engine/iCollectionView.h"

namespace orvik {

class cMemoryCollectionView final : public iCollectionView {
public:
    iListView& GetControllerList() override { return m_Controllers; }
    iListView& GetUserList() override { return m_Users; }
    void ShowControllers(const std::vector<const cDomainController*>& changed) override;

    cMemoryListView& Controllers() { return m_Controllers; }
    cMemoryListView& Users() { return m_Users; }

private:
    cMemoryListView m_Controllers;
    cMemoryListView m_Users;
};

}  // namespace orvik
