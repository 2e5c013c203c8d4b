#pragma once
// The merge and the display sort done the plain way: one record at a time,
// each placed by comparing with the first and last record and bisecting,
// then inserted into the array. Quadratic in the table size, but obviously
// right; the fast table is checked against it, and the benchmarks time it.

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

    void MergeBatch(std::unique_ptr<cUserInfoBatch> batch) {
        for (auto& owned : batch->Records()) MergeOne(owned.release());
        batch->Records().clear();
    }

    void Sort(int column, bool ascending) {
        display.clear();
        for (cUserInfo* r : merged) {
            const std::size_t n = display.size();
            auto cmp = [&](const cUserInfo* other) { return r->Compare(*other, column, ascending); };
            if (n == 0) {
                display.push_back(r);
            } else if (cmp(display[0]) < 0) {
                display.insert(display.begin(), r);
            } else if (n == 1) {
                display.push_back(r);
            } else if (cmp(display[n - 1]) > 0) {
                display.push_back(r);
            } else {
                std::size_t lo = 0, hi = n - 1;
                while (hi - lo > 1) {
                    const std::size_t mid = (lo + hi) / 2;
                    if (cmp(display[mid]) > 0)
                        lo = mid;
                    else
                        hi = mid;
                }
                display.insert(display.begin() + static_cast<std::ptrdiff_t>(hi), r);
            }
        }
    }

    std::vector<cUserInfo*> merged;   // owns
    std::vector<cUserInfo*> display;  // refers

private:
    static void MergeInto(cUserInfo* t, cUserInfo* u) {
        if (u->m_LastLogon > t->m_LastLogon) t->m_LastLogon = u->m_LastLogon;
        delete u;
    }

    void MergeOne(cUserInfo* u) {
        const std::size_t n = merged.size();
        if (n == 0) {
            merged.push_back(u);
            return;
        }
        const int first = u->CompareKey(*merged[0]);
        if (first < 0) {
            merged.insert(merged.begin(), u);
            return;
        }
        if (first == 0) {
            MergeInto(merged[0], u);
            return;
        }
        if (n == 1) {
            merged.push_back(u);
            return;
        }
        const int last = u->CompareKey(*merged[n - 1]);
        if (last > 0) {
            merged.push_back(u);
            return;
        }
        if (last == 0) {
            MergeInto(merged[n - 1], u);
            return;
        }
        std::size_t lo = 0, hi = n - 1;
        while (hi - lo > 1) {
            const std::size_t mid = (lo + hi) / 2;
            const int c = u->CompareKey(*merged[mid]);
            if (c < 0) {
                hi = mid;
            } else if (c > 0) {
                lo = mid;
            } else {
                MergeInto(merged[mid], u);
                return;
            }
        }
        merged.insert(merged.begin() + static_cast<std::ptrdiff_t>(hi), u);
    }
};

}  // namespace orvik::test
