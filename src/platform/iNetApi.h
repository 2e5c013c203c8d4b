#pragma once
// The network management calls the program makes: the account enumeration
// of a controller, the domain a server belongs to, and the list of a
// domain's controllers. Arguments, result codes and returned fields are those
// of the Windows calls; what a backend returns is owned by the caller (no
// buffers to free). Calls may come from several threads at once.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/UserInfo2.h"

namespace orvik {

class iNetApi {
public:
    virtual ~iNetApi() = default;

    // One page of user accounts of `server` (empty: the local computer).
    // `level` must be 2 and `filter` selects the account kind (normal
    // accounts: kFilterNormalAccount). `resumeHandle` is 0 for the first
    // call and carries the position between calls. Returns 0 when this page
    // is the last, kErrorMoreData (234) when more pages follow (a zero
    // resume handle with 234 means the page did not fit the preferred
    // length), or a failure code.
    virtual std::int32_t NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t filter,
                                     std::int32_t prefMaxLen, std::vector<UserInfo2>& entries,
                                     std::uint32_t& entriesRead, std::uint32_t& totalEntries,
                                     std::uint32_t& resumeHandle) = 0;

    // The domain (workgroup) name of `server` (empty: the local computer), level 100.
    virtual std::int32_t NetWkstaGetInfo(const std::u16string& server, std::uint32_t level,
                                         std::u16string& langroup) = 0;

    // Names of the servers of `serverType` in `domain` (empty: the primary
    // domain), asked of the local computer at level 100. 234 means call again
    // with the same resume handle for more.
    virtual std::int32_t NetServerEnum(const std::u16string& domain, std::uint32_t level, std::uint32_t serverType,
                                       std::int32_t prefMaxLen, std::vector<std::u16string>& names,
                                       std::uint32_t& entriesRead, std::uint32_t& totalEntries,
                                       std::uint32_t& resumeHandle) = 0;

    // What the backend has to say about the answers since the last call
    // (odd values it did not take), one line each, for the user to read.
    virtual std::vector<std::u16string> TakeNotices() { return {}; }

    // With `cancel`, the calls for `server` in progress end as soon as the
    // backend can make them, and those that follow fail at once, until called
    // again without: the worker of a stopped job then ends without waiting
    // for a server that keeps its answer back. Its result codes say no more
    // than that the call failed (no one shows a stopped job's code).
    virtual void CancelCalls(const std::u16string& /*server*/, bool /*cancel*/) {}
};

}  // namespace orvik
