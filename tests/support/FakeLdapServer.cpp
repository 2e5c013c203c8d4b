#include "support/FakeLdapServer.h"

#include <arpa/inet.h>
#include <gnutls/gnutls.h>
#include <ldap.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <utility>

#include "support/DataPath.h"

namespace orvik::test {

namespace {

struct cBerFree {
    void operator()(BerElement* b) const { ber_free(b, 1); }
};
using tBer = std::unique_ptr<BerElement, cBerFree>;

// The messages of one answer, one after the other, as ber_printf writes them.
class cAnswer {
public:
    template <typename... A>
    cAnswer& operator()(const char* format, A... args) {
        ber_printf(m_Ber.get(), format, args...);
        return *this;
    }
    cAnswer& Entry(ber_int_t id, const std::string& dn,
                   const std::vector<std::pair<std::string, std::string>>& attributes) {
        (*this)("{it{s{", id, LDAP_RES_SEARCH_ENTRY, dn.c_str());
        for (const auto& [name, value] : attributes) (*this)("{s[s]}", name.c_str(), value.c_str());
        return (*this)("}}}");
    }
    // The result of an operation; with a paged-results control when `cookie` is given.
    cAnswer& Result(ber_int_t id, ber_tag_t tag, ber_int_t code = 0, const std::string& diagnostic = "",
                    const std::string* cookie = nullptr) {
        (*this)("{it{ess}", id, tag, code, "", diagnostic.c_str());
        if (cookie != nullptr) {
            cAnswer value;
            berval v = value("{io}", 0, cookie->data(), static_cast<ber_len_t>(cookie->size())).Bytes();
            (*this)("t{{sO}}", LDAP_TAG_CONTROLS, LDAP_CONTROL_PAGEDRESULTS, &v);
        }
        return (*this)("}");
    }
    berval Bytes() const {
        berval b{};
        ber_flatten2(m_Ber.get(), &b, 0);
        return b;
    }

private:
    tBer m_Ber{ber_alloc_t(LBER_USE_DER)};
};

// A decoder of a copy of `bytes`.
tBer Decoder(berval bytes) { return tBer(ber_init(&bytes)); }
std::string Text(const berval& b) { return b.bv_val == nullptr ? std::string() : std::string(b.bv_val, b.bv_len); }

// The size and cookie of the paged-results control in the request's `controls`; 0 and "" without one.
std::pair<std::size_t, std::string> PagedRequest(berval controls) {
    const auto list = Decoder(controls);
    berval control{}, oid{}, value{}, cookie{};
    ber_len_t length;
    while (ber_skip_element(list.get(), &control) != LBER_DEFAULT) {
        const auto c = Decoder(control);
        if (ber_scanf(c.get(), "m", &oid) == LBER_ERROR || Text(oid) != LDAP_CONTROL_PAGEDRESULTS) continue;
        if (ber_peek_tag(c.get(), &length) == LBER_BOOLEAN) ber_scanf(c.get(), "x");  // the criticality
        ber_int_t size = 0;
        if (ber_scanf(c.get(), "m", &value) == LBER_ERROR) return {};
        const auto v = Decoder(value);
        if (ber_scanf(v.get(), "{im}", &size, &cookie) == LBER_ERROR) return {};
        return {static_cast<std::size_t>(size), Text(cookie)};
    }
    return {};
}

// The connection, in the clear or inside TLS once it has started.
class cStream {
public:
    explicit cStream(int fd) : m_Fd(fd) {}
    ~cStream() {
        if (m_Tls != nullptr) gnutls_deinit(m_Tls);
    }
    bool StartTls() {
        static const gnutls_certificate_credentials_t credentials = [] {
            gnutls_certificate_credentials_t c = nullptr;
            gnutls_global_init();
            gnutls_certificate_allocate_credentials(&c);
            gnutls_certificate_set_x509_key_file(c, FakeLdapServer::CertificateFile().c_str(),
                                                 DataPath("fake-ldap-key.pem").c_str(), GNUTLS_X509_FMT_PEM);
            return c;
        }();
        gnutls_init(&m_Tls, GNUTLS_SERVER | GNUTLS_NO_SIGNAL);
        gnutls_set_default_priority(m_Tls);
        gnutls_credentials_set(m_Tls, GNUTLS_CRD_CERTIFICATE, credentials);
        gnutls_transport_set_int(m_Tls, m_Fd);
        int rc;
        do {
            rc = gnutls_handshake(m_Tls);
        } while (rc < 0 && gnutls_error_is_fatal(rc) == 0);
        return rc == 0;
    }
    bool Read(char* p, std::size_t size) {
        for (ssize_t n = 0; size > 0; p += n, size -= static_cast<std::size_t>(n)) {
            if ((n = m_Tls != nullptr ? gnutls_record_recv(m_Tls, p, size) : ::read(m_Fd, p, size)) <= 0) return false;
        }
        return true;
    }
    bool Write(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = m_Tls != nullptr ? gnutls_record_send(m_Tls, bytes.data() + done, bytes.size() - done)
                                               : ::send(m_Fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return false;
            done += static_cast<std::size_t>(n);
        }
        return true;
    }
    // Reads whatever comes and answers nothing, until the client goes.
    void Stall() {
        char buffer[4096];
        while (::read(m_Fd, buffer, sizeof buffer) > 0) {}
    }
    // One whole LDAP message, its tag and length too.
    bool ReadMessage(std::string& message) {
        message.assign(2, '\0');
        if (!Read(message.data(), 2)) return false;
        std::size_t n = static_cast<unsigned char>(message[1]);
        const std::size_t count = (n & 0x80) != 0 ? n & 0x7F : 0;
        message.resize(2 + count);
        if (count > 3 || !Read(message.data() + 2, count)) return false;
        if (count > 0) n = 0;
        for (std::size_t i = 0; i < count; ++i) n = (n << 8) | static_cast<unsigned char>(message[2 + i]);
        message.resize(2 + count + n);
        return Read(message.data() + 2 + count, n);
    }

private:
    int m_Fd;
    gnutls_session_t m_Tls = nullptr;
};

}  // namespace

FakeLdapServer::FakeLdapServer(cOptions options) : m_Options(std::move(options)) {
    m_Listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_Listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(m_Listener, 16);
    socklen_t length = sizeof address;
    ::getsockname(m_Listener, reinterpret_cast<sockaddr*>(&address), &length);
    m_Port = ntohs(address.sin_port);
    m_Server = std::thread([this] { Serve(); });
}

FakeLdapServer::~FakeLdapServer() {
    ::shutdown(m_Listener, SHUT_RDWR);  // wakes the accept
    m_Server.join();
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        for (int fd : m_Open) ::shutdown(fd, SHUT_RDWR);
    }
    for (auto& t : m_Talks) t.join();
    ::close(m_Listener);
}

std::string FakeLdapServer::Address() const {
    // An address, not "localhost", which libldap would replace by a reverse lookup of the peer.
    return (m_Options.ldaps ? "ldaps://127.0.0.1:" : "127.0.0.1:") + std::to_string(m_Port);
}

std::vector<std::string> FakeLdapServer::Passwords() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Passwords;
}

std::string FakeLdapServer::CertificateFile() { return DataPath("fake-ldap-cert.pem"); }

void FakeLdapServer::Serve() {
    // Until the listener is shut down; a client that gave up before it was taken is no reason to stop.
    for (int fd; (fd = ::accept4(m_Listener, nullptr, nullptr, SOCK_CLOEXEC)) >= 0 || errno == EINTR ||
                 errno == ECONNABORTED || errno == EPROTO;) {
        if (fd < 0) continue;
        const int on = 1;  // every answer goes out whole at once, as a directory server's does
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        std::lock_guard<std::mutex> lock(m_Mutex);
        m_Open.push_back(fd);
        m_Talks.emplace_back([this, fd] { Talk(fd); });
    }
}

void FakeLdapServer::Talk(int fd) {
    cStream stream(fd);
    const std::string base = "DC=fake,DC=test";
    const eMode mode = m_Options.mode;
    int pages = 0;
    bool ok = !m_Options.ldaps || stream.StartTls();
    std::string message;
    bool counted = false;
    while (ok && stream.ReadMessage(message)) {
        if (!std::exchange(counted, true)) ++m_Connections;  // a connection that only tests the port does not count
        if (mode == eMode::kSilent) continue;
        const auto request = Decoder({message.size(), message.data()});
        BerElement* r = request.get();
        ber_int_t id = 0, version = 0;
        ber_tag_t tag = LBER_DEFAULT, auth = LBER_DEFAULT;
        berval field{}, password{};
        if (ber_scanf(r, "{it", &id, &tag) == LBER_ERROR || tag == LDAP_REQ_UNBIND) break;
        cAnswer answer;
        bool domainQuery = false, userSearch = false;
        if (tag == LDAP_REQ_EXTENDED) {  // StartTLS
            answer.Result(id, LDAP_RES_EXTENDED);
        } else if (tag == LDAP_REQ_BIND) {  // version, name, the password
            if (ber_scanf(r, "{imtm", &version, &field, &auth, &password) != LBER_ERROR && auth == LDAP_AUTH_SIMPLE) {
                std::lock_guard<std::mutex> lock(m_Mutex);
                m_Passwords.push_back(Text(password));
            }
            answer.Result(id, LDAP_RES_BIND);
        } else if (tag == LDAP_REQ_SEARCH && ber_scanf(r, "{m", &field) != LBER_ERROR) {  // the base tells which
            const std::string dn = Text(field);
            domainQuery = dn.starts_with("CN=Partitions,");
            userSearch = !dn.empty() && !domainQuery;
            if (dn.empty()) {
                answer.Entry(
                    id, "",
                    {{"defaultNamingContext", base}, {"configurationNamingContext", "CN=Configuration," + base}});
            } else if (domainQuery) {
                answer.Entry(id, "CN=FAKE," + dn, {{"nETBIOSName", "FAKE"}});
            }
        } else {
            continue;
        }
        std::string cookie;
        if (userSearch) {
            ++m_UserSearches;
            ++pages;
            // Scope, aliases, size and time limits, types only, the filter, the attributes; the controls.
            berval controls{};
            ber_scanf(r, "xxxxxxx");
            if (ber_skip_element(r, &controls) != LDAP_TAG_CONTROLS) controls = {};
            const auto [pageSize, asked] = PagedRequest(controls);
            std::vector<const cUser*> users;
            for (const cUser& u : m_Options.users) users.push_back(&u);
            if (m_Options.cookie == eCookie::kRepeats) {
                users.resize(std::min<std::size_t>(users.size(), 1));
                cookie = "same";
            } else if (m_Options.cookie == eCookie::kOneCookie) {
                const std::size_t at = static_cast<std::size_t>(pages - 1);
                if (at + 1 < users.size()) cookie = "samba";
                users = at < users.size() ? std::vector<const cUser*>{users[at]} : std::vector<const cUser*>{};
            } else if (m_Options.cookie == eCookie::kNewEmpty) {
                users.clear();
                cookie = "page" + std::to_string(pages);
            } else if (m_Options.cookie == eCookie::kClientSize) {
                const std::size_t all = users.size();
                const std::size_t from = std::min<std::size_t>(asked.empty() ? 0 : std::stoul(asked), all);
                const std::size_t to = pageSize == 0 ? all : std::min(from + pageSize, all);
                users = std::vector<const cUser*>(users.begin() + from, users.begin() + to);
                if (to < all) cookie = std::to_string(to);
            }
            for (const cUser* u : m_Options.searchError == 0 ? users : std::vector<const cUser*>{}) {
                std::vector<std::pair<std::string, std::string>> attributes = {{"sAMAccountName", u->name}};
                if (!u->lastLogon.empty()) attributes.emplace_back("lastLogon", u->lastLogon);
                answer.Entry(id, "CN=" + u->name + "," + base, attributes);
            }
            std::this_thread::sleep_for(m_Options.pageDelay);
        }
        if (tag == LDAP_REQ_SEARCH) {
            const int error = userSearch ? m_Options.searchError : 0;
            answer.Result(id, LDAP_RES_SEARCH_RESULT, error, error != 0 ? m_Options.searchDiagnostic : "",
                          userSearch && error == 0 ? &cookie : nullptr);
        }
        const std::string reply = Text(answer.Bytes());
        // A server that stops at its step sends all, half or none of its answer first, then keeps silent.
        std::size_t sent = reply.size();
        bool stops = tag == LDAP_REQ_EXTENDED && mode == eMode::kStallHandshake;
        if ((tag == LDAP_REQ_EXTENDED && mode == eMode::kHalfStartTls) || (userSearch && mode == eMode::kHalfSearch)) {
            sent /= 2;
            stops = true;
        } else if ((tag == LDAP_REQ_BIND && mode == eMode::kStallBind) || (userSearch && mode == eMode::kStallSearch)) {
            sent = 0;
            stops = true;
        }
        if (stops) {
            stream.Write(reply.substr(0, sent));
            stream.Stall();
            break;
        }
        if (tag == LDAP_REQ_EXTENDED) std::this_thread::sleep_for(m_Options.startTlsDelay);
        ok = stream.Write(reply) && (tag != LDAP_REQ_EXTENDED || stream.StartTls());
        if (domainQuery && mode == eMode::kCloseAfterDomain) break;
    }
    std::lock_guard<std::mutex> lock(m_Mutex);
    std::erase(m_Open, fd);
    ::close(fd);
}

}  // namespace orvik::test
