#pragma once
// Real domain controllers over LDAP through Windows' wldap32, answering the
// network calls as the Linux program's LDAP directory does (the same
// search, attributes, domain query and codes, LdapMapping.h):
// - as the signed-in user (Negotiate, signed and sealed), or with a name and
//   password in a simple bind that happens only inside TLS (ldaps:// as the
//   controller's name, else StartTLS) with a certificate the program checked
//   (unless the user asked not to): where the LDAP client cannot have it
//   checked, no password is sent;
// - the account enumeration is a paged search; the resume handle names the
//   connection and its paging cookie, kept here between the calls;
// - every step has a deadline: the connect the network timeout, a simple
//   bind and each search the operation timeout (also asked of the server as
//   its time limit); StartTLS and a Negotiate bind, which wldap32 makes only
//   as blocking calls, end when Windows ends them. A step cannot be broken
//   off: a cancelled server's calls in progress end by their deadline, those
//   that follow fail at once.
// One connection per enumeration, never shared between threads.

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
#include "platform/Wldap32Calls.h"
#include "platform/iNetApi.h"

namespace orvik {

class cWldap32Directory final : public iNetApi {
public:
    cWldap32Directory(cWldap32Calls calls, cLdapOptions options);
    ~cWldap32Directory() override;
    cWldap32Directory(const cWldap32Directory&) = delete;
    cWldap32Directory& operator=(const cWldap32Directory&) = delete;

    std::int32_t NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t filter,
                             std::int32_t prefMaxLen, std::vector<UserInfo2>& entries, std::uint32_t& entriesRead,
                             std::uint32_t& totalEntries, std::uint32_t& resumeHandle) override;
    std::int32_t NetWkstaGetInfo(const std::u16string& server, std::uint32_t level, std::u16string& langroup) override;
    // Not over LDAP here: fails, saying so among the notices.
    std::int32_t NetServerEnum(const std::u16string& domain, std::uint32_t level, std::uint32_t serverType,
                               std::int32_t prefMaxLen, std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                               std::uint32_t& totalEntries, std::uint32_t& resumeHandle) override;
    std::vector<std::u16string> TakeNotices() override;
    void CancelCalls(const std::u16string& server, bool cancel) override;

    struct Connection;

private:
    bool IsCancelled(const std::string& host);
    std::int32_t Open(const std::string& host, std::unique_ptr<Connection>& out);
    std::int32_t Failed(const Connection& c, const char* stage, std::uint32_t ldapResult, std::u16string diagnostic);
    std::unique_ptr<Connection> Take(std::uint32_t handle, const std::string& host);
    std::uint32_t Keep(std::unique_ptr<Connection> connection, bool session);

    cWldap32Calls m_Calls;
    cLdapOptions m_Options;
    std::mutex m_Mutex;  // guards everything below, never held across a call
    std::set<std::string> m_Cancelled;
    // Enumerations between their pages (by resume handle), and connections of
    // a domain query the enumeration that follows takes over (handle 0).
    std::map<std::uint32_t, std::unique_ptr<Connection>> m_Sessions;
    std::multimap<std::string, std::unique_ptr<Connection>> m_Parked;
    std::uint32_t m_LastHandle = 0;
    // The enumeration right after a failed domain query fails alike, without waiting again.
    std::map<std::string, std::pair<std::int32_t, std::chrono::steady_clock::time_point>> m_FailedOpens;
    cLdapNotices m_Notices;
};

}  // namespace orvik
