#pragma once
// A simulated controller of generated users.

#include "base/TextCompare.h"
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

// DC<i>, its users seeded by i and paged ten at a time.
inline cSimulatedDirectory::Controller Dc(int i, std::uint32_t users) {
    return SimDc(u"DC" + FormatLong(i), users, static_cast<std::uint32_t>(i), 10);
}

}  // namespace orvik::test
