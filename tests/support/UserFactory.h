#pragma once
// Short ways to build user records and batches in tests and benchmarks.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/cUserInfoBatch.h"

namespace orvik::test {

inline std::unique_ptr<cUserInfo> MakeUser(std::u16string name, std::uint32_t logon, std::u16string domain = u"CORP",
                                           std::u16string full = u"", std::u16string description = u"") {
    return std::make_unique<cUserInfo>(std::move(name), std::move(full), std::move(description), std::move(domain),
                                       logon);
}

template <typename... Users>
std::unique_ptr<cUserInfoBatch> Batch(Users... users) {
    auto batch = std::make_unique<cUserInfoBatch>();
    (batch->Append(std::move(users)), ...);
    return batch;
}

}  // namespace orvik::test
