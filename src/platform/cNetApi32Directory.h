#pragma once
// The directory through Windows' network management calls, as the signed-in
// user: the account enumeration (level 2, normal accounts, paged by the
// resume handle), the domain of a server (level 100) and the domain's
// controllers (level 100). Every buffer a call returns is freed before the
// call here returns. A call cannot be broken off: a cancelled server's calls
// in progress end when Windows ends them, those that follow fail at once.

#include <mutex>
#include <set>
#include <string>

#include "platform/NetApi32Calls.h"
#include "platform/iNetApi.h"

namespace orvik {

class cNetApi32Directory final : public iNetApi {
public:
    explicit cNetApi32Directory(cNetApi32Calls calls) : m_Calls(std::move(calls)) {}

    std::int32_t NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t filter,
                             std::int32_t prefMaxLen, std::vector<UserInfo2>& entries, std::uint32_t& entriesRead,
                             std::uint32_t& totalEntries, std::uint32_t& resumeHandle) override;
    std::int32_t NetWkstaGetInfo(const std::u16string& server, std::uint32_t level, std::u16string& langroup) override;
    std::int32_t NetServerEnum(const std::u16string& domain, std::uint32_t level, std::uint32_t serverType,
                               std::int32_t prefMaxLen, std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                               std::uint32_t& totalEntries, std::uint32_t& resumeHandle) override;
    void CancelCalls(const std::u16string& server, bool cancel) override;

private:
    bool Cancelled(const std::u16string& server);

    cNetApi32Calls m_Calls;
    std::mutex m_Mutex;
    std::set<std::u16string> m_Cancelled;
};

}  // namespace orvik
