#pragma once
// The user records of one page of one enumeration, in the order the
// controller returned them. Built by a worker, owned by the collector's queue
// once reported, then merged and dropped by the main thread.

#include <memory>
#include <vector>

#include "engine/cUserInfo.h"

namespace orvik {

class cUserInfoBatch {
public:
    void Append(std::unique_ptr<cUserInfo> record) { m_Records.push_back(std::move(record)); }
    template <typename... Args>
    void Emplace(Args&&... args) {
        m_Records.push_back(std::make_unique<cUserInfo>(std::forward<Args>(args)...));
    }

    std::vector<std::unique_ptr<cUserInfo>>& Records() noexcept { return m_Records; }
    const std::vector<std::unique_ptr<cUserInfo>>& Records() const noexcept { return m_Records; }
    std::size_t Size() const noexcept { return m_Records.size(); }

private:
    std::vector<std::unique_ptr<cUserInfo>> m_Records;
};

}  // namespace orvik
