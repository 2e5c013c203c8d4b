#pragma once
// How what a directory sends becomes what the program shows: a controller's
// host name, a lastLogon value, an LDAP failure as the program's error code;
// and what both LDAP clients ask (libldap on Linux, wldap32 on Windows).

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/UserInfo2.h"

namespace orvik {

// LDAP result codes: the protocol's, and the client's own in the numbering
// of the LDAP C API (wldap32's; libldap's negative ones are taken as these).
namespace ldapcode {
inline constexpr int kSuccess = 0x00;
inline constexpr int kOperationsError = 0x01;
inline constexpr int kTimeLimitExceeded = 0x03;
inline constexpr int kStrongAuthRequired = 0x08;
inline constexpr int kConfidentialityRequired = 0x0d;
inline constexpr int kInappropriateAuth = 0x30;
inline constexpr int kInvalidCredentials = 0x31;
inline constexpr int kInsufficientAccess = 0x32;
inline constexpr int kUnwillingToPerform = 0x35;
inline constexpr int kServerDown = 0x51;
inline constexpr int kLocalError = 0x52;
inline constexpr int kTimeout = 0x55;
inline constexpr int kAuthUnknown = 0x56;
inline constexpr int kNoMemory = 0x5a;
inline constexpr int kConnectError = 0x5b;
inline constexpr int kNotSupported = 0x5c;
}  // namespace ldapcode

// The normal accounts (disabled ones included, computers not) and what is read of each, in this order.
inline constexpr char kNormalAccountsFilter[] =
    "(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512))";
inline constexpr const char* kAccountAttributes[] = {"sAMAccountName", "displayName", "description", "lastLogon"};

// Entries per page: the preferred length divided by kLdapBytesPerEntry, at
// most the servers' 1000. Pages of one enumeration past which a server is
// taken to loop, and pages in a row without an account.
inline constexpr std::int32_t kLdapBytesPerEntry = 256;
inline constexpr int kLdapMaxPageSize = 1000;
inline constexpr int kLdapMaxPages = 1000000;
inline constexpr int kLdapMaxEmptyPages = 1000;
int LdapPageSize(std::int32_t prefMaxLen);

// The host part of a controller name: without leading backslashes.
std::string LdapHostOf(const std::u16string& server);

// lastLogon (100 ns since 1601, decimal) as seconds since 1970, rounded to
// the nearest second; 0 and "never" give 0, what exceeds 32 bits is clamped.
// A value that is not a plain non-negative number is no logon time: 0, and
// `notATime` is set.
std::uint32_t FileTimeToSeconds(const std::string& fileTime, bool* notATime = nullptr);

// The program's code for an LDAP failure at `stage` ("bind", "starttls", ...).
std::int32_t MapLdapFailure(const char* stage, int ldapResult, const std::string& diagnostic);

// A value inside a search filter, with the filter's special characters escaped.
std::string EscapeFilterValue(const std::string& value);

// Tells one page of accounts from another, to see a server that sends the same page again.
std::uint64_t PageFingerprint(const std::vector<UserInfo2>& entries);

// What an LDAP backend has to say beside its codes, gathered from every
// worker: lines for the user (a server's own reason, what was left out),
// and per host the lastLogon values that were no logon time.
class cLdapNotices {
public:
    void Add(std::u16string line);
    void CountOddLogons(const std::string& host, std::uint32_t count);
    // Everything since the last call, the odd logons last, one line per host.
    std::vector<std::u16string> Take();

private:
    std::mutex m_Mutex;
    std::vector<std::u16string> m_Lines;
    std::map<std::string, std::uint32_t> m_OddLogons;
};

}  // namespace orvik
