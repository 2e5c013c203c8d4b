#pragma once
// Short ways to build user records and batches in tests and benchmarks, and
// to read records back.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/TextCompare.h"
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

// "DOMAIN\name logon", then the full name and the description where not empty, for each record in order.
inline std::vector<std::u16string> Rows(const std::vector<cUserInfo*>& records) {
    std::vector<std::u16string> rows;
    for (const cUserInfo* u : records) {
        rows.push_back(u->m_Domain + u"\\" + u->m_UserName + u" " + FormatLong(u->m_LastLogon));
        for (const std::u16string* text : {&u->m_FullName, &u->m_Description}) {
            if (!text->empty()) rows.back() += u" " + *text;
        }
    }
    return rows;
}

}  // namespace orvik::test
