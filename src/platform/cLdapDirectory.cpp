#include "platform/cLdapDirectory.h"

#include <fcntl.h>
#include <lber.h>
#include <ldap.h>
#include <netdb.h>
#include <netinet/in.h>
#include <openldap.h>
#include <poll.h>
#include <sasl/sasl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>

#include "base/TextCompare.h"
#include "platform/DnsLookup.h"
#include "platform/LdapMapping.h"
#include "platform/LdapSocket.h"
#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"

namespace orvik {

namespace {

// Making a TLS context changes libldap 2.5's process-wide TLS state without a
// lock (it counts how often its TLS layer was set up), and loads the CA
// certificates: contexts are made one at a time under this lock. A handshake
// touches only its own handle's context and session, and those counters, which
// InitialiseLibrary has set for good before any worker runs (they are only
// ever tested for zero): handshakes run in parallel, and no network wait is
// ever made under this lock.
std::mutex g_TlsLock;
std::once_flag g_LibraryOnce;

void InitialiseLibrary(const std::string& caFile) {
    // Once, before any worker: libldap's and its TLS layer's global state
    // (with the CA file given, the system's whole store is not loaded for it).
    if (!caFile.empty()) ldap_set_option(nullptr, LDAP_OPT_X_TLS_CACERTFILE, caFile.c_str());
    int zero = 0;
    ldap_set_option(nullptr, LDAP_OPT_X_TLS_NEWCTX, &zero);
}

int SaslDefaults(LDAP*, unsigned, void*, void* in) {
    // GSSAPI takes its identity from the ticket cache: every prompt gets its default.
    for (auto* i = static_cast<sasl_interact_t*>(in); i->id != SASL_CB_LIST_END; ++i) {
        i->result = i->defresult ? i->defresult : "";
        i->len = static_cast<unsigned>(std::strlen(static_cast<const char*>(i->result)));
    }
    return LDAP_SUCCESS;
}

std::string Diagnostic(LDAP* ld) {
    std::string text;
    char* d = nullptr;
    if (ld != nullptr && ldap_get_option(ld, LDAP_OPT_DIAGNOSTIC_MESSAGE, &d) == LDAP_OPT_SUCCESS && d != nullptr) {
        text = d;
        ldap_memfree(d);
    }
    return text;
}

std::string FirstValue(LDAP* ld, LDAPMessage* entry, const char* attribute) {
    berval** values = ldap_get_values_len(ld, entry, attribute);
    std::string out;
    if (values != nullptr && values[0] != nullptr) out.assign(values[0]->bv_val, values[0]->bv_len);
    ldap_value_free_len(values);
    return out;
}

std::u16string FromUtf8Value(const std::string& s) { return FromUtf8(s); }

}  // namespace

struct cLdapDirectory::Connection {
    LDAP* ld = nullptr;
    std::string host;
    std::string defaultNc;
    std::string configNc;
    berval cookie{0, nullptr};
    std::string lastCookie;  // of the page before, to see a server that loops
    std::uint64_t lastPage = 0;
    int pages = 0;
    int emptyPages = 0;
    std::chrono::steady_clock::time_point lastUse = std::chrono::steady_clock::now();
    int fd = -1;  // the socket libldap was handed, until it closes it
    cSocketWatchdog* watchdog = nullptr;
    ldap_conncb callbacks{};

    ~Connection() {
        ber_memfree(cookie.bv_val);
        if (ld != nullptr) ldap_unbind_ext_s(ld, nullptr, nullptr);
        if (watchdog != nullptr) watchdog->Disarm(this);
    }
};

namespace {

// libldap is handed its socket and never connects by itself; should it, the
// first learns the new socket. The second hears of its socket being closed.
int OnConnect(LDAP*, Sockbuf* sb, LDAPURLDesc*, sockaddr*, ldap_conncb* ctx) {
    auto* c = static_cast<cLdapDirectory::Connection*>(ctx->lc_arg);
    int fd = -1;
    if (ber_sockbuf_ctrl(sb, LBER_SB_OPT_GET_FD, &fd) == 1 && fd >= 0) {
        c->fd = fd;
        c->watchdog->SetSocket(c, fd);
    }
    AddNoSignalLayer(sb);
    return 0;
}

void OnDisconnect(LDAP*, Sockbuf*, ldap_conncb* ctx) {
    auto* c = static_cast<cLdapDirectory::Connection*>(ctx->lc_arg);
    c->fd = -1;
    c->watchdog->SetSocket(c, -1);  // about to be closed: never shut down by number again
}

}  // namespace

void cLdapDirectory::Arm(Connection& c, int seconds) {
    // Under the lock: a cancel either finds this step armed or is found by it.
    std::lock_guard<std::mutex> lock(m_Mutex);
    const auto now = std::chrono::steady_clock::now();
    m_Watchdog.Arm(&c, c.fd, m_Cancelled.count(c.host) != 0 ? now : now + std::chrono::seconds(seconds));
}

bool cLdapDirectory::Disarm(Connection& c) { return m_Watchdog.Disarm(&c); }

bool cLdapDirectory::IsCancelled(const std::string& host) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Cancelled.count(host) != 0;
}

void cLdapDirectory::CancelCalls(const std::u16string& server, bool cancel) {
    const std::string host = LdapHostOf(server);
    std::lock_guard<std::mutex> lock(m_Mutex);
    if (!cancel) {
        m_Cancelled.erase(host);
        return;
    }
    m_Cancelled.insert(host);
    m_Watchdog.ShutDownNow([&host](const void* owner) { return static_cast<const Connection*>(owner)->host == host; });
}

void cLdapDirectory::RememberFailedOpen(const std::string& host, std::int32_t code) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_FailedOpens[host] = cFailedOpen{code, std::chrono::steady_clock::now()};
}

bool cLdapDirectory::TakeFailedOpen(const std::string& host, std::int32_t& code) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    auto it = m_FailedOpens.find(host);
    if (it == m_FailedOpens.end()) return false;
    // Meant for the enumeration that follows the domain query at once, not for a later run.
    const auto fresh = std::chrono::steady_clock::now() - it->second.when <
                       std::chrono::seconds(m_Options.networkTimeoutSeconds + m_Options.operationTimeoutSeconds);
    code = it->second.code;
    m_FailedOpens.erase(it);
    return fresh;
}

std::int32_t cLdapDirectory::Failed(const std::string& host, const char* stage, int ldapResult,
                                    const std::string& diagnostic) {
    const std::int32_t code = MapLdapFailure(stage, ldapResult, diagnostic);
    if (code == kErrorDsGeneric) {
        // The program's code says little here: the server's own words go with it.
        std::string text = host + ": the " + stage + " failed: " + ldap_err2string(ldapResult);
        if (!diagnostic.empty()) text += " (" + diagnostic + ")";
        m_Notices.Add(FromUtf8(text));
    }
    return code;
}

std::vector<std::u16string> cLdapDirectory::TakeNotices() { return m_Notices.Take(); }

cLdapDirectory::cLdapDirectory(cLdapOptions options) : m_Options(std::move(options)) {
    std::call_once(g_LibraryOnce, InitialiseLibrary, m_Options.caFile);
}

cLdapDirectory::~cLdapDirectory() = default;

std::int32_t cLdapDirectory::Open(const std::string& host, std::unique_ptr<Connection>& out) {
    if (IsCancelled(host)) return kErrorTimeout;
    const std::string uri = host.find("://") == std::string::npos ? "ldap://" + host : host;
    int fd = -1;
    if (const std::int32_t reach = Preflight(uri, m_Options.networkTimeoutSeconds, fd); reach != kNerrSuccess)
        return reach;
    auto c = std::make_unique<Connection>();
    c->host = host;
    c->watchdog = &m_Watchdog;
    // libldap takes the socket over (TLS still checks the certificate against the name in the URI).
    if (ldap_init_fd(fd, LDAP_PROTO_TCP, uri.c_str(), &c->ld) != LDAP_SUCCESS) {
        close(fd);
        return kErrorBadNetPath;
    }
    c->fd = fd;
    Sockbuf* sb = nullptr;
    if (ldap_get_option(c->ld, LDAP_OPT_SOCKBUF, &sb) == LDAP_OPT_SUCCESS && sb != nullptr) AddNoSignalLayer(sb);
    c->callbacks.lc_add = OnConnect;
    c->callbacks.lc_del = OnDisconnect;
    c->callbacks.lc_arg = c.get();
    ldap_set_option(c->ld, LDAP_OPT_CONNECT_CB, &c->callbacks);
    int version = LDAP_VERSION3;
    timeval network{m_Options.networkTimeoutSeconds, 0};
    timeval operation{m_Options.operationTimeoutSeconds, 0};
    ldap_set_option(c->ld, LDAP_OPT_PROTOCOL_VERSION, &version);
    ldap_set_option(c->ld, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);  // chasing them fails the searches
    ldap_set_option(c->ld, LDAP_OPT_NETWORK_TIMEOUT, &network);
    ldap_set_option(c->ld, LDAP_OPT_TIMEOUT, &operation);
    // The Kerberos service is ldap/<the name we were given>, not a reverse lookup of the address.
    ldap_set_option(c->ld, LDAP_OPT_X_SASL_NOCANON, LDAP_OPT_ON);
    const bool ldaps = uri.rfind("ldaps://", 0) == 0;
    const bool kerberos = m_Options.auth == cLdapOptions::eAuth::kKerberos;
    {
        std::lock_guard<std::mutex> lock(g_TlsLock);  // no network wait in here
        int require = m_Options.verifyCertificate ? LDAP_OPT_X_TLS_DEMAND : LDAP_OPT_X_TLS_NEVER;
        int zero = 0;
        if (!m_Options.caFile.empty()) ldap_set_option(c->ld, LDAP_OPT_X_TLS_CACERTFILE, m_Options.caFile.c_str());
        ldap_set_option(c->ld, LDAP_OPT_X_TLS_REQUIRE_CERT, &require);
        ldap_set_option(c->ld, LDAP_OPT_X_TLS_NEWCTX, &zero);
    }
    // A password travels only inside TLS; Kerberos signs and seals by itself
    // (and servers refuse it inside TLS).
    // Every step below has the operation timeout, whatever the server sends or keeps back.
    const int seconds = m_Options.operationTimeoutSeconds;
    if (ldaps || !kerberos) {
        Arm(*c, seconds);
        const int rc = ldaps ? ldap_install_tls(c->ld) : ldap_start_tls_s(c->ld, nullptr, nullptr);
        if (Disarm(*c) && rc != LDAP_SUCCESS) return kErrorTimeout;
        if (rc != LDAP_SUCCESS) {
            // The server was reached (see Preflight): a failed LDAPS connect is
            // its TLS failing, reported as StartTLS reports it.
            const std::string diagnostic = Diagnostic(c->ld);
            if (ldaps && (rc == LDAP_SERVER_DOWN || rc == LDAP_CONNECT_ERROR) && !diagnostic.empty()) {
                return Failed(host, "starttls", LDAP_CONNECT_ERROR, diagnostic);
            }
            return Failed(host, ldaps ? "connect" : "starttls", rc, diagnostic);
        }
    }
    int rc;
    Arm(*c, seconds);
    if (kerberos) {
        rc = ldap_sasl_interactive_bind_s(c->ld, nullptr, "GSSAPI", nullptr, nullptr, LDAP_SASL_QUIET, SaslDefaults,
                                          nullptr);
    } else {
        berval password{static_cast<ber_len_t>(m_Options.password.size()), m_Options.password.data()};
        rc =
            ldap_sasl_bind_s(c->ld, m_Options.bindName.c_str(), LDAP_SASL_SIMPLE, &password, nullptr, nullptr, nullptr);
    }
    if (Disarm(*c) && rc != LDAP_SUCCESS) return kErrorTimeout;
    if (rc != LDAP_SUCCESS) return Failed(host, "bind", rc, Diagnostic(c->ld));

    const char* attributes[] = {"defaultNamingContext", "configurationNamingContext", nullptr};
    LDAPMessage* result = nullptr;
    Arm(*c, seconds);
    rc = ldap_search_ext_s(c->ld, "", LDAP_SCOPE_BASE, "(objectClass=*)", const_cast<char**>(attributes), 0, nullptr,
                           nullptr, &operation, LDAP_NO_LIMIT, &result);
    if (Disarm(*c) && rc != LDAP_SUCCESS) {
        ldap_msgfree(result);
        return kErrorTimeout;
    }
    if (rc == LDAP_SUCCESS) {
        if (LDAPMessage* e = ldap_first_entry(c->ld, result)) {
            c->defaultNc = FirstValue(c->ld, e, "defaultNamingContext");
            c->configNc = FirstValue(c->ld, e, "configurationNamingContext");
        }
    }
    ldap_msgfree(result);
    if (rc != LDAP_SUCCESS) return Failed(host, "rootdse", rc, Diagnostic(c->ld));
    if (c->defaultNc.empty()) return kErrorDsGeneric;
    out = std::move(c);
    return kNerrSuccess;
}

std::unique_ptr<cLdapDirectory::Connection> cLdapDirectory::TakeParked(const std::string& host) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    auto it = m_Parked.find(host);
    if (it == m_Parked.end()) return nullptr;
    std::unique_ptr<Connection> c = std::move(it->second);
    m_Parked.erase(it);
    return c;
}

void cLdapDirectory::Park(std::unique_ptr<Connection> connection) {
    connection->lastUse = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Parked.emplace(connection->host, std::move(connection));
}

std::uint32_t cLdapDirectory::KeepSession(std::unique_ptr<Connection> connection) {
    connection->lastUse = std::chrono::steady_clock::now();
    std::lock_guard<std::mutex> lock(m_Mutex);
    do {
        ++m_LastHandle;
    } while (m_LastHandle == 0 || m_Sessions.count(m_LastHandle) != 0);
    m_Sessions.emplace(m_LastHandle, std::move(connection));
    return m_LastHandle;
}

std::unique_ptr<cLdapDirectory::Connection> cLdapDirectory::TakeSession(std::uint32_t handle) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    auto it = m_Sessions.find(handle);
    if (it == m_Sessions.end()) return nullptr;
    std::unique_ptr<Connection> c = std::move(it->second);
    m_Sessions.erase(it);
    return c;
}

void cLdapDirectory::CloseIdle() {
    // Enumerations a stopped worker left half-way, and connections of a domain
    // query nobody followed up: closed once they have been idle for a while.
    const auto limit =
        std::chrono::steady_clock::now() - std::chrono::seconds(2 * m_Options.operationTimeoutSeconds + 60);
    std::vector<std::unique_ptr<Connection>> idle;
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        for (auto it = m_Sessions.begin(); it != m_Sessions.end();) {
            if (it->second->lastUse < limit) {
                idle.push_back(std::move(it->second));
                it = m_Sessions.erase(it);
            } else {
                ++it;
            }
        }
        for (auto it = m_Parked.begin(); it != m_Parked.end();) {
            if (it->second->lastUse < limit) {
                idle.push_back(std::move(it->second));
                it = m_Parked.erase(it);
            } else {
                ++it;
            }
        }
    }
}

std::int32_t cLdapDirectory::NetUserEnum(const std::u16string& server, std::uint32_t level, std::uint32_t,
                                         std::int32_t prefMaxLen, std::vector<UserInfo2>& entries,
                                         std::uint32_t& entriesRead, std::uint32_t& totalEntries,
                                         std::uint32_t& resumeHandle) {
    entries.clear();
    entriesRead = 0;
    totalEntries = 0;
    if (level != 2) return kErrorInvalidLevel;
    CloseIdle();
    std::unique_ptr<Connection> c;
    bool parked = false;
    if (resumeHandle == 0) {
        const std::string host = LdapHostOf(server);
        c = TakeParked(host);
        parked = c != nullptr;
        if (std::int32_t failed; !c && TakeFailedOpen(host, failed)) return failed;
        if (!c) {
            if (const std::int32_t rc = Open(host, c); rc != kNerrSuccess) return rc;
        }
    } else {
        c = TakeSession(resumeHandle);
        if (!c) return kErrorInvalidParameter;
    }
    resumeHandle = 0;

    const int pageSize = LdapPageSize(prefMaxLen);
    LDAPControl* page = nullptr;
    int rc = ldap_create_page_control(c->ld, pageSize, &c->cookie, 1, &page);
    if (rc != LDAP_SUCCESS) return Failed(c->host, "search", rc, Diagnostic(c->ld));
    LDAPControl* controls[] = {page, nullptr};
    const char* attributes[] = {kAccountAttributes[0], kAccountAttributes[1], kAccountAttributes[2],
                                kAccountAttributes[3], nullptr};
    timeval operation{m_Options.operationTimeoutSeconds, 0};
    LDAPMessage* result = nullptr;
    bool overran = false;
    auto search = [&] {
        Arm(*c, m_Options.operationTimeoutSeconds);
        const int r =
            ldap_search_ext_s(c->ld, c->defaultNc.c_str(), LDAP_SCOPE_SUBTREE, kNormalAccountsFilter,
                              const_cast<char**>(attributes), 0, controls, nullptr, &operation, LDAP_NO_LIMIT, &result);
        overran = Disarm(*c);
        return r;
    };
    rc = search();
    if (parked && !overran && rc == LDAP_SERVER_DOWN) {
        // The controller closed or reset the domain query's connection
        // meanwhile (controllers close idle ones): once more on a new one.
        ldap_msgfree(result);
        result = nullptr;
        const std::string host = c->host;
        if (const std::int32_t open = Open(host, c); open != kNerrSuccess) {
            ldap_control_free(page);
            return open;
        }
        rc = search();
    }
    ldap_control_free(page);
    if (overran && rc != LDAP_SUCCESS) {
        ldap_msgfree(result);
        return kErrorTimeout;
    }
    if (rc != LDAP_SUCCESS) {
        ldap_msgfree(result);
        return Failed(c->host, "search", rc, Diagnostic(c->ld));
    }
    std::uint32_t odd = 0;
    for (LDAPMessage* e = ldap_first_entry(c->ld, result); e != nullptr; e = ldap_next_entry(c->ld, e)) {
        UserInfo2 u;
        u.name = FromUtf8Value(FirstValue(c->ld, e, "sAMAccountName"));
        u.fullName = FromUtf8Value(FirstValue(c->ld, e, "displayName"));
        u.comment = FromUtf8Value(FirstValue(c->ld, e, "description"));
        bool notATime = false;
        u.lastLogon = FileTimeToSeconds(FirstValue(c->ld, e, "lastLogon"), &notATime);
        odd += notATime;
        entries.push_back(std::move(u));
    }
    m_Notices.CountOddLogons(c->host, odd);
    int code = LDAP_SUCCESS;
    char* message = nullptr;
    LDAPControl** returned = nullptr;
    rc = ldap_parse_result(c->ld, result, &code, nullptr, &message, nullptr, &returned, 1);
    const std::string diagnostic = message != nullptr ? message : "";
    ldap_memfree(message);
    if (rc == LDAP_SUCCESS) rc = code;
    ber_memfree(c->cookie.bv_val);
    c->cookie = berval{0, nullptr};
    ber_int_t estimate = 0;
    if (rc == LDAP_SUCCESS) {
        if (LDAPControl* response = ldap_control_find(LDAP_CONTROL_PAGEDRESULTS, returned, nullptr)) {
            ldap_parse_pageresponse_control(c->ld, response, &estimate, &c->cookie);
        }
    }
    ldap_controls_free(returned);
    if (rc != LDAP_SUCCESS) {
        entries.clear();
        return Failed(c->host, "search", rc, diagnostic);
    }
    entriesRead = static_cast<std::uint32_t>(entries.size());
    totalEntries = estimate > 0 ? static_cast<std::uint32_t>(estimate) : 0;
    if (c->cookie.bv_val != nullptr && c->cookie.bv_len > 0) {
        // A server that answers the same cookie with the same page again, or
        // pages on and on without accounts, would keep the enumeration going
        // for ever. (A repeated cookie alone is no fault: Samba keeps one
        // cookie for a whole search.)
        std::string cookie(c->cookie.bv_val, c->cookie.bv_len);
        const std::uint64_t page = PageFingerprint(entries);
        ++c->pages;
        c->emptyPages = entries.empty() ? c->emptyPages + 1 : 0;
        const bool repeated = cookie == c->lastCookie && page == c->lastPage;
        if (repeated || c->pages >= kMaxPages || c->emptyPages >= kMaxEmptyPages) {
            entries.clear();
            entriesRead = 0;
            return kErrorDsProtocolError;
        }
        c->lastPage = page;
        c->lastCookie = std::move(cookie);
        resumeHandle = KeepSession(std::move(c));
        return kErrorMoreData;
    }
    return kNerrSuccess;
}

std::int32_t cLdapDirectory::NetWkstaGetInfo(const std::u16string& server, std::uint32_t level,
                                             std::u16string& langroup) {
    if (level != 100) return kErrorInvalidLevel;
    CloseIdle();
    const std::string host = LdapHostOf(server);
    std::unique_ptr<Connection> c = TakeParked(host);
    if (!c) {
        if (const std::int32_t rc = Open(host, c); rc != kNerrSuccess) {
            RememberFailedOpen(host, rc);
            return rc;
        }
    }
    // The domain's NetBIOS name stands in the crossRef of its naming context.
    berval in{static_cast<ber_len_t>(c->defaultNc.size()), c->defaultNc.data()};
    berval escaped{0, nullptr};
    ldap_bv2escaped_filter_value(&in, &escaped);
    const std::string filter = "(&(objectClass=crossRef)(nCName=" + std::string(escaped.bv_val, escaped.bv_len) + "))";
    ber_memfree(escaped.bv_val);
    const char* attributes[] = {"nETBIOSName", nullptr};
    timeval operation{m_Options.operationTimeoutSeconds, 0};
    LDAPMessage* result = nullptr;
    const std::string base = "CN=Partitions," + c->configNc;
    Arm(*c, m_Options.operationTimeoutSeconds);
    const int rc =
        ldap_search_ext_s(c->ld, base.c_str(), LDAP_SCOPE_ONELEVEL, filter.c_str(), const_cast<char**>(attributes), 0,
                          nullptr, nullptr, &operation, LDAP_NO_LIMIT, &result);
    const bool overran = Disarm(*c);
    if (rc != LDAP_SUCCESS && (overran || rc == LDAP_TIMEOUT || rc == LDAP_SERVER_DOWN)) {
        // A controller that stopped answering: the enumeration need not wait for it again.
        ldap_msgfree(result);
        const std::int32_t code = overran || rc == LDAP_TIMEOUT ? kErrorTimeout : kErrorRpcServerUnavailable;
        RememberFailedOpen(host, code);
        return code;
    }
    std::string name;
    if (rc == LDAP_SUCCESS) {
        if (LDAPMessage* e = ldap_first_entry(c->ld, result)) name = FirstValue(c->ld, e, "nETBIOSName");
    }
    ldap_msgfree(result);
    if (rc != LDAP_SUCCESS || name.empty()) {
        // The domain is unknown, but the connection serves the enumeration all the same.
        const std::int32_t code =
            rc != LDAP_SUCCESS ? Failed(c->host, "search", rc, Diagnostic(c->ld)) : kErrorDsGeneric;
        Park(std::move(c));
        return code;
    }
    langroup = FromUtf8(name);
    // The enumeration that follows takes this connection over.
    Park(std::move(c));
    return kNerrSuccess;
}

std::int32_t cLdapDirectory::NetServerEnum(const std::u16string& domain, std::uint32_t level, std::uint32_t serverType,
                                           std::int32_t, std::vector<std::u16string>& names, std::uint32_t& entriesRead,
                                           std::uint32_t& totalEntries, std::uint32_t& resumeHandle) {
    names.clear();
    entriesRead = 0;
    totalEntries = 0;
    resumeHandle = 0;
    if (level != 100) return kErrorInvalidLevel;
    if ((serverType & (kSvTypeDomainCtrl | kSvTypeDomainBakCtrl)) == 0) return kNerrSuccess;
    std::string dnsDomain = ToUtf8(domain);
    if (dnsDomain.empty()) {
        std::ifstream conf("/etc/resolv.conf");
        const std::string text((std::istreambuf_iterator<char>(conf)), std::istreambuf_iterator<char>());
        dnsDomain = PrimaryDomainFromResolvConf(text);
    }
    // A failure says why among the notices, for the Search that asked.
    const auto fail = [this](std::u16string why) {
        m_Notices.Add(std::move(why));
        return kErrorNoBrowserServersFound;
    };
    if (dnsDomain.empty()) return fail(u"/etc/resolv.conf names no DNS domain and no search domain.");
    const std::string lookup = "_ldap._tcp.dc._msdcs." + dnsDomain;
    const std::u16string where = u"The DNS lookup of " + FromUtf8(lookup) + u" (SRV) ";
    const std::vector<cNameServer> servers = SystemNameServers();
    if (servers.empty()) return fail(where + u"has no name server to ask: /etc/resolv.conf names none.");
    const int seconds = std::max(1, m_Options.networkTimeoutSeconds);
    const auto found = LookUpSrv(lookup, std::chrono::seconds(seconds), servers);
    if (!found) return fail(where + u"got no answer from any name server within " + FormatLong(seconds) + u" s.");
    if (found->noSuchName) return fail(where + u"found no such name: the domain has no domain controllers in DNS.");
    if (found->oddNames > 0) {
        m_Notices.Add(FromUtf8(dnsDomain) + u": " + FormatLong(found->oddNames) +
                      u" domain controller names in DNS are no host names and were left out.");
    }
    if (found->hosts.empty()) return fail(where + u"found no domain controller.");
    for (const std::string& host : found->hosts) names.push_back(FromUtf8(host));
    entriesRead = totalEntries = static_cast<std::uint32_t>(names.size());
    return kNerrSuccess;
}

}  // namespace orvik
