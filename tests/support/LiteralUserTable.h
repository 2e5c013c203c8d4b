#pragma once
// The merge and the display sort done the plain way: one record at a time,
// each placed by bisecting, then inserted into the array. Quadratic in the
// table size, but obviously right; the fast table is checked against it, and
// the benchmarks time it.

#include <algorithm>
#include <memory>
#include <vector>

#include "engine/cUserInfo.h"
#include "engine/cUserInfoBatch.h"

namespace orvik::test {

class LiteralUserTable {
public:
    LiteralUserTable() = default;
    LiteralUserTable(const LiteralUserTable&) = delete;
    LiteralUserTable& operator=(const LiteralUserTable&) = delete;
    ~LiteralUserTable() {
        for (cUserInfo* u : merged) delete u;
    }

    // A record of an account already merged keeps the later logon and goes.
    void MergeBatch(std::unique_ptr<cUserInfoBatch> batch) {
        for (auto& owned : batch->Records()) {
            cUserInfo* u = owned.release();
            const auto at =
                std::lower_bound(merged.begin(), merged.end(), u,
                                 [](const cUserInfo* a, const cUserInfo* b) { return a->CompareKey(*b) < 0; });
            if (at == merged.end() || u->CompareKey(**at) != 0) {
                merged.insert(at, u);
                continue;
            }
            (*at)->m_LastLogon = std::max((*at)->m_LastLogon, u->m_LastLogon);
            delete u;
        }
        batch->Records().clear();
    }

    void Sort(int column, bool ascending) {
        display.clear();
        const auto before = [&](const cUserInfo* a, const cUserInfo* b) {
            return a->Compare(*b, column, ascending) < 0;
        };
        for (cUserInfo* r : merged) display.insert(std::upper_bound(display.begin(), display.end(), r, before), r);
    }

    std::vector<cUserInfo*> merged;   // owns
    std::vector<cUserInfo*> display;  // refers
};

}  // namespace orvik::test
