#include "platform/LdapMapping.h"

#include <ldap.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>

#include "base/TextCompare.h"
#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"

namespace orvik {

std::string LdapHostOf(const std::u16string& server) {
    std::u16string name = server;
    while (!name.empty() && name.front() == u'\\') name.erase(0, 1);
    return ToUtf8(name);
}

std::uint32_t FileTimeToSeconds(const std::string& fileTime, bool* notATime) {
    if (fileTime.empty()) return 0;
    // Digits only: strtoull would take "-5" as a huge number, a date in 2106
    // that would win every merge.
    const bool digits = std::all_of(fileTime.begin(), fileTime.end(), [](char c) { return c >= '0' && c <= '9'; });
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = digits ? std::strtoull(fileTime.c_str(), &end, 10) : 0;
    if (!digits || *end != '\0' || errno != 0) {
        if (notATime != nullptr) *notATime = true;
        return 0;
    }
    constexpr unsigned long long kEpoch = 11644473600ULL * 10000000ULL;  // 1970 in 100 ns since 1601
    if (v <= kEpoch || v == 0x7FFFFFFFFFFFFFFFULL) return 0;
    const unsigned long long seconds = (v - kEpoch + 5000000ULL) / 10000000ULL;
    return static_cast<std::uint32_t>(std::min<unsigned long long>(seconds, std::numeric_limits<std::uint32_t>::max()));
}

std::int32_t MapLdapFailure(const char* stage, int ldapResult, const std::string& diagnostic) {
    const std::string where = stage;
    switch (ldapResult) {
        case LDAP_INVALID_CREDENTIALS:
            // Active Directory names the reason in the diagnostic: "... data 52e".
            if (diagnostic.find("data 533") != std::string::npos) return kErrorAccountDisabled;
            if (diagnostic.find("data 532") != std::string::npos) return kErrorPasswordExpired;
            if (diagnostic.find("data 775") != std::string::npos) return kErrorAccountLockedOut;
            return kErrorLogonFailure;
        case LDAP_INAPPROPRIATE_AUTH: return kErrorLogonFailure;
        case LDAP_STRONG_AUTH_REQUIRED:
        case LDAP_INSUFFICIENT_ACCESS:
        case LDAP_UNWILLING_TO_PERFORM:
        case LDAP_CONFIDENTIALITY_REQUIRED: return kErrorAccessDenied;
        case LDAP_TIMEOUT:
        case LDAP_TIMELIMIT_EXCEEDED: return kErrorTimeout;
        case LDAP_SERVER_DOWN: return kErrorRpcServerUnavailable;
        case LDAP_CONNECT_ERROR:
            return where == "starttls" || where == "connect" ? kSecUntrustedRoot : kErrorRpcServerUnavailable;
        case LDAP_LOCAL_ERROR:
        case LDAP_AUTH_UNKNOWN:
        case LDAP_NOT_SUPPORTED: return where == "bind" ? kSecNoCredentials : kErrorDsGeneric;
        case LDAP_NO_MEMORY: return kErrorNotEnoughMemory;
        default: return kErrorDsGeneric;
    }
}

}  // namespace orvik
