#pragma once
// Real domain controllers over LDAP (OpenLDAP's libldap), answering the
// network calls with their arguments, result codes and fields:
// - the account enumeration is a paged search of the normal accounts under
//   the domain's naming context; the resume handle names the connection and
//   its paging cookie, kept here between the calls of one enumeration;
// - the domain query reads the NetBIOS name of the controller's domain;
// - the server enumeration reads the domain's DNS SRV records.
// One connection per enumeration, never shared between threads. Every
// connection has a network and an operation timeout, and every blocking step
// on it a deadline after which its socket is shut down, so that neither an
// unreachable controller nor one that stops half-way through a message holds
// a worker for longer than one timeout.

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/LdapMapping.h"
#include "platform/LdapOptions.h"
#include "platform/cSocketWatchdog.h"
#include "platform/iNetApi.h"

namespace orvik {

class cLdapDirectory final : public iNetApi {
public:
    // Entries per page: the preferred length divided by this, at most the servers' 1000.
    static constexpr std::int32_t kBytesPerEntry = kLdapBytesPerEntry;
    static constexpr int kMaxPageSize = kLdapMaxPageSize;

    explicit cLdapDirectory(cLdapOptions options);
    ~cLdapDirectory() override;
    cLdapDirectory(const cLdapDirectory&) = delete;
    cLdapDirectory& operator=(const cLdapDirectory&) = delete;

    std::int32_t NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t filter,
                             std::int32_t prefMaxLen, std::vector<UserInfo2>& entries, std::uint32_t& entriesRead,
                             std::uint32_t& totalEntries, std::uint32_t& resumeHandle) override;
    std::int32_t NetWkstaGetInfo(const std::u16string& server, std::uint32_t level, std::u16string& langroup) override;
    std::int32_t NetServerEnum(const std::u16string& domain, std::uint32_t level, std::uint32_t serverType,
                               std::int32_t prefMaxLen, std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                               std::uint32_t& totalEntries, std::uint32_t& resumeHandle) override;

    // "<host>: <n> lastLogon values ..." for each controller that sent values
    // that are not a logon time, and the server's reason for each directory
    // service error (8341), since the last call.
    std::vector<std::u16string> TakeNotices() override;

    // The sockets of the controller's calls in progress are shut down at
    // once, and every step after that fails at once, until lifted.
    void CancelCalls(const std::u16string& server, bool cancel) override;

    // Pages of one enumeration past which a server is taken to loop, and
    // pages in a row without an account.
    static constexpr int kMaxPages = kLdapMaxPages;
    static constexpr int kMaxEmptyPages = kLdapMaxEmptyPages;

    struct Connection;

private:
    // A blocking step of `c` may take `seconds`; its socket is shut down after that.
    void Arm(Connection& c, int seconds);
    // True when the step overran and its socket was shut down.
    bool Disarm(Connection& c);
    bool IsCancelled(const std::string& host);
    void RememberFailedOpen(const std::string& host, std::int32_t code);
    bool TakeFailedOpen(const std::string& host, std::int32_t& code);

    std::int32_t Open(const std::string& host, std::unique_ptr<Connection>& out);
    // The program's code for a failure at `stage`; a directory service error
    // (8341) also leaves the server's own reason as a notice.
    std::int32_t Failed(const std::string& host, const char* stage, int ldapResult, const std::string& diagnostic);
    std::unique_ptr<Connection> TakeParked(const std::string& host);
    void Park(std::unique_ptr<Connection> connection);
    std::uint32_t KeepSession(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> TakeSession(std::uint32_t handle);
    void CloseIdle();

    cLdapOptions m_Options;
    // Before the connections, whose destructors end their watches: destroyed after them.
    cSocketWatchdog m_Watchdog;
    std::mutex m_Mutex;                 // guards everything below, never held across a network call
    std::set<std::string> m_Cancelled;  // hosts whose calls end at once
    std::map<std::uint32_t, std::unique_ptr<Connection>> m_Sessions;
    std::multimap<std::string, std::unique_ptr<Connection>> m_Parked;
    std::uint32_t m_LastHandle = 0;
    // A controller whose domain query could not connect: the enumeration
    // that follows fails the same way at once instead of waiting again.
    struct cFailedOpen {
        std::int32_t code;
        std::chrono::steady_clock::time_point when;
    };
    std::map<std::string, cFailedOpen> m_FailedOpens;
    cLdapNotices m_Notices;
};

}  // namespace orvik
