#include "platform/cWldap32Directory.h"

#include <algorithm>

#include "base/TextCompare.h"
#include "platform/LdapMapping.h"
#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"

namespace orvik {

struct cWldap32Directory::Connection {
    const cWldap32Calls* calls = nullptr;
    void* ld = nullptr;
    std::string host;
    std::u16string defaultNc;
    std::u16string configNc;
    std::string cookie;      // of the next page
    std::string lastCookie;  // of the page before, to see a server that loops
    std::uint64_t lastPage = 0;
    int pages = 0;
    int emptyPages = 0;
    std::chrono::steady_clock::time_point lastUse = std::chrono::steady_clock::now();

    ~Connection() {
        if (ld != nullptr) calls->unbind(ld);
    }
};

namespace {

std::u16string Wide(const char* s) { return FromUtf8(s); }

// The host and whether it is named as ldaps://host; ldap:// is dropped as well.
std::u16string HostPart(const std::string& host, bool& ldaps) {
    ldaps = host.rfind("ldaps://", 0) == 0;
    const std::size_t scheme = host.find("://");
    return FromUtf8(scheme == std::string::npos ? host : host.substr(scheme + 3));
}

}  // namespace

cWldap32Directory::cWldap32Directory(cWldap32Calls calls, cLdapOptions options)
    : m_Calls(std::move(calls)), m_Options(std::move(options)) {}

cWldap32Directory::~cWldap32Directory() = default;

bool cWldap32Directory::IsCancelled(const std::string& host) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Cancelled.count(host) != 0;
}

void cWldap32Directory::CancelCalls(const std::u16string& server, bool cancel) {
    const std::string host = LdapHostOf(server);
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (cancel) {
        m_Cancelled.insert(host);
    } else {
        m_Cancelled.erase(host);
    }
}

std::int32_t cWldap32Directory::Failed(const Connection& c, const char* stage, std::uint32_t ldapResult,
                                       std::u16string diagnostic) {
    if (diagnostic.empty() && ldapResult < ldapcode::kServerDown) diagnostic = m_Calls.serverError(c.ld);
    const std::int32_t code = MapLdapFailure(stage, static_cast<int>(ldapResult), ToUtf8(diagnostic));
    if (code == kErrorDsGeneric) {
        // The program's code says little here: the server's own words go with it.
        std::u16string text = FromUtf8(c.host) + u": the " + Wide(stage) + u" failed: LDAP error " +
                              FormatLong(static_cast<std::int64_t>(ldapResult));
        if (!diagnostic.empty()) text += u" (" + diagnostic + u")";
        m_Notices.Add(std::move(text));
    }
    return code;
}

std::vector<std::u16string> cWldap32Directory::TakeNotices() { return m_Notices.Take(); }

std::int32_t cWldap32Directory::Open(const std::string& host, std::unique_ptr<Connection>& out) {
    if (IsCancelled(host)) return kErrorTimeout;
    bool ldaps = false;
    const std::u16string name = HostPart(host, ldaps);
    auto c = std::make_unique<Connection>();
    c->calls = &m_Calls;
    c->host = host;
    c->ld = m_Calls.init(name, ldaps);
    if (c->ld == nullptr) return kErrorBadNetPath;
    const auto seconds = static_cast<std::uint32_t>(m_Options.operationTimeoutSeconds);
    const bool negotiate = m_Options.auth == cLdapOptions::eAuth::kKerberos;
    m_Calls.setOption(c->ld, eWldapOption::kVersion3, 3);
    m_Calls.setOption(c->ld, eWldapOption::kNoReferrals, 0);
    m_Calls.setOption(c->ld, eWldapOption::kTimeLimit, seconds);
    // Negotiate signs and seals by itself (and servers refuse it inside TLS);
    // a password travels only inside TLS.
    if (negotiate && !ldaps && m_Calls.setOption(c->ld, eWldapOption::kSignAndSeal, 1) != 0) {
        // Unsigned, anyone on the way could change the logon times the server sends.
        m_Notices.Add(FromUtf8(host) +
                      u": the system's LDAP client cannot sign and seal, so nothing was read as the signed-in "
                      u"user (/USER: binds inside TLS).");
        return kSecNoCredentials;
    }
    if (!negotiate && m_Calls.setOption(c->ld, eWldapOption::kServerCertificate, m_Options.verifyCertificate) != 0 &&
        m_Options.verifyCertificate) {
        // An LDAP client that cannot show the certificate may not check it either.
        m_Notices.Add(FromUtf8(host) +
                      u": the system's LDAP client cannot have the server's certificate checked, so no password "
                      u"was sent (/TLSNOVERIFY sends it unchecked).");
        return kSecUntrustedRoot;
    }
    std::uint32_t rc = m_Calls.connect(c->ld, static_cast<std::uint32_t>(m_Options.networkTimeoutSeconds));
    if (rc != ldapcode::kSuccess) return Failed(*c, ldaps ? "connect" : "open", rc, {});
    if (!negotiate && !ldaps) {
        rc = m_Calls.startTls(c->ld);
        if (rc != ldapcode::kSuccess) return Failed(*c, "starttls", rc, {});
    }
    if (negotiate) {
        rc = m_Calls.bind(c->ld, nullptr, nullptr, seconds);
    } else {
        const std::u16string user = FromUtf8(m_Options.bindName);
        std::u16string password = FromUtf8(m_Options.password);
        rc = m_Calls.bind(c->ld, &user, &password, seconds);
        std::fill(password.begin(), password.end(), u'\0');
    }
    if (rc != ldapcode::kSuccess) return Failed(*c, "bind", rc, {});
    cWldapSearch root;
    root.filter = u"(objectClass=*)";
    root.attributes = {u"defaultNamingContext", u"configurationNamingContext"};
    root.seconds = seconds;
    cWldapPage answer;
    rc = m_Calls.search(c->ld, root, answer);
    if (rc != ldapcode::kSuccess) return Failed(*c, "rootdse", rc, answer.diagnostic);
    if (answer.entries.empty() || answer.entries[0][0].empty()) return kErrorDsGeneric;
    c->defaultNc = answer.entries[0][0];
    c->configNc = answer.entries[0][1];
    out = std::move(c);
    return kNerrSuccess;
}

std::unique_ptr<cWldap32Directory::Connection> cWldap32Directory::Take(std::uint32_t handle, const std::string& host) {
    std::vector<std::unique_ptr<Connection>> idle;  // closed after the lock is let go
    std::lock_guard<std::mutex> lock(m_Mutex);
    // Enumerations a stopped worker left half-way, and connections of a
    // domain query nobody followed up: closed once idle for a while.
    const auto limit =
        std::chrono::steady_clock::now() - std::chrono::seconds(2 * m_Options.operationTimeoutSeconds + 60);
    const auto closeIdle = [&](auto& connections) {
        for (auto it = connections.begin(); it != connections.end();) {
            if (it->second->lastUse < limit) {
                idle.push_back(std::move(it->second));
                it = connections.erase(it);
            } else {
                ++it;
            }
        }
    };
    closeIdle(m_Sessions);
    closeIdle(m_Parked);
    std::unique_ptr<Connection> c;
    if (handle != 0) {
        if (auto it = m_Sessions.find(handle); it != m_Sessions.end()) {
            c = std::move(it->second);
            m_Sessions.erase(it);
        }
    } else if (auto it = m_Parked.find(host); it != m_Parked.end()) {
        c = std::move(it->second);
        m_Parked.erase(it);
    }
    if (c && m_Cancelled.count(c->host) != 0) idle.push_back(std::move(c));
    return c;
}

std::uint32_t cWldap32Directory::Keep(std::unique_ptr<Connection> connection, bool session) {
    connection->lastUse = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!session) {
        const std::string host = connection->host;
        m_Parked.emplace(host, std::move(connection));
        return 0;
    }
    do {
        ++m_LastHandle;
    } while (m_LastHandle == 0 || m_Sessions.count(m_LastHandle) != 0);
    m_Sessions.emplace(m_LastHandle, std::move(connection));
    return m_LastHandle;
}

std::int32_t cWldap32Directory::NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t,
                                            std::int32_t prefMaxLen, std::vector<UserInfo2>& entries,
                                            std::uint32_t& entriesRead, std::uint32_t& totalEntries,
                                            std::uint32_t& resumeHandle) {
    entries.clear();
    entriesRead = 0;
    totalEntries = 0;
    if (level != 2) return kErrorInvalidLevel;
    const std::string host = LdapHostOf(server);
    std::unique_ptr<Connection> c = Take(resumeHandle, host);
    const bool parked = c && resumeHandle == 0;
    if (!c && resumeHandle != 0) return IsCancelled(host) ? kErrorTimeout : kErrorInvalidParameter;
    resumeHandle = 0;
    if (!c) {
        {
            std::lock_guard<std::mutex> lock(m_Mutex);
            if (auto it = m_FailedOpens.find(host); it != m_FailedOpens.end()) {
                // Meant for the enumeration that follows the domain query at once, not for a later run.
                const auto [failed, when] = it->second;
                m_FailedOpens.erase(it);
                if (std::chrono::steady_clock::now() - when <
                    std::chrono::seconds(m_Options.networkTimeoutSeconds + m_Options.operationTimeoutSeconds)) {
                    return failed;
                }
            }
        }
        if (const std::int32_t rc = Open(host, c); rc != kNerrSuccess) return rc;
    }
    cWldapSearch search;
    search.base = c->defaultNc;
    search.scope = 2;
    search.filter = Wide(kNormalAccountsFilter);
    for (const char* attribute : kAccountAttributes) search.attributes.push_back(Wide(attribute));
    search.pageSize = static_cast<std::uint32_t>(LdapPageSize(prefMaxLen));
    search.cookie = c->cookie;
    search.seconds = static_cast<std::uint32_t>(m_Options.operationTimeoutSeconds);
    cWldapPage page;
    std::uint32_t rc = m_Calls.search(c->ld, search, page);
    if (parked && rc == ldapcode::kServerDown) {
        // The controller closed the domain query's connection meanwhile
        // (controllers close idle ones): once more on a new one.
        if (const std::int32_t open = Open(host, c); open != kNerrSuccess) return open;
        search.base = c->defaultNc;
        page = cWldapPage{};
        rc = m_Calls.search(c->ld, search, page);
    }
    if (rc != ldapcode::kSuccess) return Failed(*c, "search", rc, page.diagnostic);
    std::uint32_t odd = 0;
    for (const std::vector<std::u16string>& values : page.entries) {
        bool notATime = false;
        entries.push_back({values[0], values[1], values[2], FileTimeToSeconds(ToUtf8(values[3]), &notATime)});
        odd += notATime;
    }
    m_Notices.CountOddLogons(host, odd);
    entriesRead = static_cast<std::uint32_t>(entries.size());
    totalEntries = page.estimate;
    if (page.cookie.empty()) return kNerrSuccess;
    // A server that answers the same cookie with the same page again, or
    // pages on and on without accounts, would keep the enumeration going
    // for ever. (A repeated cookie alone is no fault: Samba keeps one cookie
    // for a whole search.)
    const std::uint64_t fingerprint = PageFingerprint(entries);
    ++c->pages;
    c->emptyPages = entries.empty() ? c->emptyPages + 1 : 0;
    if ((page.cookie == c->lastCookie && fingerprint == c->lastPage) || c->pages >= kLdapMaxPages ||
        c->emptyPages >= kLdapMaxEmptyPages) {
        entries.clear();
        entriesRead = 0;
        return kErrorDsProtocolError;
    }
    c->lastPage = fingerprint;
    c->lastCookie = page.cookie;
    c->cookie = std::move(page.cookie);
    resumeHandle = Keep(std::move(c), true);
    return kErrorMoreData;
}

std::int32_t cWldap32Directory::NetWkstaGetInfo(const std::u16string& server, std::uint32_t level,
                                                std::u16string& langroup) {
    langroup.clear();
    if (level != 100) return kErrorInvalidLevel;
    const std::string host = LdapHostOf(server);
    std::unique_ptr<Connection> c = Take(0, host);
    if (!c) {
        if (const std::int32_t rc = Open(host, c); rc != kNerrSuccess) {
            std::lock_guard<std::mutex> lock(m_Mutex);
            m_FailedOpens[host] = {rc, std::chrono::steady_clock::now()};
            return rc;
        }
    }
    // The domain's NetBIOS name stands in the crossRef of its naming context.
    cWldapSearch search;
    search.base = u"CN=Partitions," + c->configNc;
    search.scope = 1;
    search.filter = u"(&(objectClass=crossRef)(nCName=" + FromUtf8(EscapeFilterValue(ToUtf8(c->defaultNc))) + u"))";
    search.attributes = {u"nETBIOSName"};
    search.seconds = static_cast<std::uint32_t>(m_Options.operationTimeoutSeconds);
    cWldapPage page;
    const std::uint32_t rc = m_Calls.search(c->ld, search, page);
    if (rc == ldapcode::kTimeout || rc == ldapcode::kServerDown) {
        // A controller that stopped answering: the enumeration need not wait for it again.
        const std::int32_t code = Failed(*c, "search", rc, page.diagnostic);
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_FailedOpens[host] = {code, std::chrono::steady_clock::now()};
        return code;
    }
    std::int32_t code = kNerrSuccess;
    if (rc != ldapcode::kSuccess) {
        code = Failed(*c, "search", rc, page.diagnostic);
    } else if (page.entries.empty() || page.entries[0][0].empty()) {
        code = kErrorDsGeneric;
    } else {
        langroup = page.entries[0][0];
    }
    // The domain may be unknown, but the connection serves the enumeration that follows.
    Keep(std::move(c), false);
    return code;
}

std::int32_t cWldap32Directory::NetServerEnum(const std::u16string&, std::uint32_t level, std::uint32_t, std::int32_t,
                                              std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                                              std::uint32_t& totalEntries, std::uint32_t& resumeHandle) {
    names.clear();
    entriesRead = totalEntries = resumeHandle = 0;
    if (level != 100) return kErrorInvalidLevel;
    m_Notices.Add(u"Searching for domain controllers is not built for LDAP on Windows: type their names.");
    return kErrorNoBrowserServersFound;
}

}  // namespace orvik
