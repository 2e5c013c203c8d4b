#pragma once
// A simulated controller of generated users.

#include "platform/cSimulatedDirectory.h"

namespace orvik::test {

inline cSimulatedDirectory::Controller SimDc(std::u16string name, std::uint32_t users, std::uint32_t seed = 1,
                                             std::uint32_t pageSize = 0) {
    cSimulatedDirectory::Controller c;
    c.name = std::move(name);
    c.domain = u"CORP";
    c.generate.count = users;
    c.generate.seed = seed;
    c.pageSize = pageSize;
    return c;
}

}  // namespace orvik::test
