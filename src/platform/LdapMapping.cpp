#include "platform/LdapMapping.h"

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
    using namespace ldapcode;
    const std::string where = stage;
    // libldap's own codes run from -1 down, the C API's from 0x51 up, in the same order.
    if (ldapResult < 0 && ldapResult >= -17) ldapResult = 0x50 - ldapResult;
    switch (ldapResult) {
        case kInvalidCredentials:
            // Active Directory names the reason in the diagnostic: "... data 52e".
            if (diagnostic.find("data 533") != std::string::npos) return kErrorAccountDisabled;
            if (diagnostic.find("data 532") != std::string::npos) return kErrorPasswordExpired;
            if (diagnostic.find("data 775") != std::string::npos) return kErrorAccountLockedOut;
            return kErrorLogonFailure;
        case kInappropriateAuth: return kErrorLogonFailure;
        case kStrongAuthRequired:
        case kInsufficientAccess:
        case kUnwillingToPerform:
        case kConfidentialityRequired: return kErrorAccessDenied;
        case kTimeout:
        case kTimeLimitExceeded: return kErrorTimeout;
        case kServerDown: return kErrorRpcServerUnavailable;
        case kConnectError:
            return where == "starttls" || where == "connect" ? kSecUntrustedRoot : kErrorRpcServerUnavailable;
        case kLocalError:
        case kAuthUnknown:
        case kNotSupported: return where == "bind" ? kSecNoCredentials : kErrorDsGeneric;
        case kNoMemory: return kErrorNotEnoughMemory;
        default: return kErrorDsGeneric;
    }
}

int LdapPageSize(std::int32_t prefMaxLen) {
    return prefMaxLen < 0 ? kLdapMaxPageSize : std::clamp(prefMaxLen / kLdapBytesPerEntry, 1, kLdapMaxPageSize);
}

std::string EscapeFilterValue(const std::string& value) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : value) {
        if (c == '*' || c == '(' || c == ')' || c == '\\' || c == '\0') {
            out += '\\';
            out += kHex[(static_cast<unsigned char>(c) >> 4) & 0xF];
            out += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::uint64_t PageFingerprint(const std::vector<UserInfo2>& entries) {
    std::uint64_t h = 14695981039346656037ULL;  // FNV-1a over names and logons
    auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ULL; };
    for (const UserInfo2& u : entries) {
        for (char16_t c : u.name) mix(c);
        mix(u.lastLogon);
    }
    return h;
}

void cLdapNotices::Add(std::u16string line) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Lines.push_back(std::move(line));
}

void cLdapNotices::CountOddLogons(const std::string& host, std::uint32_t count) {
    if (count == 0) return;
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_OddLogons[host] += count;
}

std::vector<std::u16string> cLdapNotices::Take() {
    std::map<std::string, std::uint32_t> odd;
    std::vector<std::u16string> lines;
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        odd.swap(m_OddLogons);
        lines.swap(m_Lines);
    }
    for (const auto& [host, count] : odd) {
        lines.push_back(FromUtf8(host) + u": " + FormatLong(count) +
                        u" lastLogon values were not a logon time and count as never.");
    }
    return lines;
}

}  // namespace orvik
