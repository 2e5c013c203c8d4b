#pragma once
// A directory of domain controllers answered from a description (JSON): the
// demo, the tests and the benchmarks run the real engine against it. Each
// controller can fail its domain lookup, fail its enumeration at a given
// call, answer slowly, page its accounts, and answer "more data" with a zero
// resume handle a number of times. A name it does not know answers as an
// unreachable server does (53).
//
// Call counting is per controller and per enumeration: an enumeration ends
// with its last page or a failure, or is abandoned when a call with a zero
// resume handle arrives after a page was handed out, or without a larger
// buffer than the call before (a new caller, not a retry after "more data").

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/iNetApi.h"

namespace orvik {

class cSimulatedDirectory final : public iNetApi {
public:
    struct Generated {
        std::uint32_t count = 0;
        std::uint32_t seed = 0;
        std::uint32_t first = 0;          // number of the first generated user
        std::u16string prefix = u"user";  // user names are prefix + number
    };
    struct Controller {
        std::u16string name;
        std::u16string domain;
        std::int32_t domainError = 0;
        std::int32_t failCode = 0;
        std::uint32_t failAtCall = 1;
        std::int32_t delayMs = 0;
        std::uint32_t pageSize = 0;  // 0: derived from the preferred maximum length
        std::uint32_t moreDataZeroResume = 0;
        std::vector<UserInfo2> users;
        Generated generate;
    };

    // The largest description file read (a description generates its big directories).
    static constexpr long kMaxFileBytes = 64L * 1024 * 1024;

    // Reads a description; on failure returns nullptr and says why in `error`.
    static std::unique_ptr<cSimulatedDirectory> FromJson(std::string_view text, std::string& error);
    static std::unique_ptr<cSimulatedDirectory> FromFile(const std::string& path, std::string& error);

    explicit cSimulatedDirectory(std::vector<Controller> controllers, std::u16string primaryDomain = {});

    // Controller names in description order.
    std::vector<std::u16string> ControllerNames() const;

    // Called at the start of every enumeration call with the controller's
    // name and the call's number within its enumeration, outside any lock
    // (tests hold a call in progress with it).
    void SetCallHook(std::function<void(const std::u16string&, std::uint32_t)> hook);

    // Size of one account entry when the page size follows the preferred maximum length.
    static constexpr std::int32_t kBytesPerEntry = 256;

    std::int32_t NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t filter,
                             std::int32_t prefMaxLen, std::vector<UserInfo2>& entries, std::uint32_t& entriesRead,
                             std::uint32_t& totalEntries, std::uint32_t& resumeHandle) override;
    std::int32_t NetWkstaGetInfo(const std::u16string& server, std::uint32_t level, std::u16string& langroup) override;
    std::int32_t NetServerEnum(const std::u16string& domain, std::uint32_t level, std::uint32_t serverType,
                               std::int32_t prefMaxLen, std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                               std::uint32_t& totalEntries, std::uint32_t& resumeHandle) override;

    // The account at `index` of a controller: listed users first, then generated ones.
    static UserInfo2 EntryAt(const Controller& c, std::uint32_t index);
    static std::uint32_t EntryCount(const Controller& c);

private:
    struct State {
        std::uint32_t callNumber = 0;
        bool pageHandedOut = false;
        std::int32_t lastPrefMaxLen = 0;  // of the last call: a retry after "more data" asks for more
    };
    // Index of the controller a server name means, or -1.
    int Find(const std::u16string& server) const;

    std::vector<Controller> m_Controllers;  // never changes after construction
    std::u16string m_PrimaryDomain;
    mutable std::mutex m_Mutex;  // guards m_States and m_Hook
    std::vector<State> m_States;
    std::function<void(const std::u16string&, std::uint32_t)> m_Hook;
};

}  // namespace orvik
