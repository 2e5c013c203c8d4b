#include "support/FakeLdapServer.h"

#include <arpa/inet.h>
#include <gnutls/gnutls.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

#include "support/DataPath.h"

namespace orvik::test {

namespace {

// Just enough DER for the LDAP messages a client of ours sends and reads.
std::string Length(std::size_t n) {
    if (n < 128) return std::string(1, static_cast<char>(n));
    std::string bytes;
    for (; n > 0; n >>= 8) bytes.insert(bytes.begin(), static_cast<char>(n & 0xFF));
    return static_cast<char>(0x80 | bytes.size()) + bytes;
}
std::string Tlv(unsigned tag, const std::string& content) {
    return static_cast<char>(tag) + Length(content.size()) + content;
}
std::string Integer(unsigned tag, long value) {
    std::string bytes;
    do {
        bytes.insert(bytes.begin(), static_cast<char>(value & 0xFF));
        value >>= 8;
    } while (value != 0 && value != -1);
    if (value == 0 && (bytes[0] & 0x80) != 0) bytes.insert(bytes.begin(), '\0');
    return Tlv(tag, bytes);
}
std::string Octets(const std::string& s) { return Tlv(0x04, s); }
std::string Sequence(const std::string& content) { return Tlv(0x30, content); }
std::string Message(int id, const std::string& op, const std::string& controls = {}) {
    return Sequence(Integer(0x02, id) + op + controls);
}
std::string Result(unsigned tag, int code = 0, const std::string& diagnostic = "") {
    return Tlv(tag, Integer(0x0A, code) + Octets("") + Octets(diagnostic));
}
std::string Entry(const std::string& dn, const std::vector<std::pair<std::string, std::string>>& attributes) {
    std::string list;
    for (const auto& [name, value] : attributes) list += Sequence(Octets(name) + Tlv(0x31, Octets(value)));
    return Tlv(0x64, Octets(dn) + Sequence(list));
}
std::string PagedControl(const std::string& cookie) {
    return Tlv(0xA0, Sequence(Octets("1.2.840.113556.1.4.319") + Octets(Sequence(Integer(0x02, 0) + Octets(cookie)))));
}

// One element of a DER text: its tag and its content.
struct cReader {
    const std::string& text;
    std::size_t at = 0;
    bool Next(unsigned& tag, std::string& content) {
        if (at + 2 > text.size()) return false;
        tag = static_cast<unsigned char>(text[at++]);
        std::size_t n = static_cast<unsigned char>(text[at++]);
        if (n & 0x80) {
            const std::size_t bytes = n & 0x7F;
            n = 0;
            for (std::size_t i = 0; i < bytes && at < text.size(); ++i)
                n = (n << 8) | static_cast<unsigned char>(text[at++]);
        }
        if (at + n > text.size()) return false;
        content = text.substr(at, n);
        at += n;
        return true;
    }
};

// The values of `attribute` in the entry of `u`, as Active Directory holds them
// (objectCategory by its short name).
std::vector<std::string> Values(const FakeLdapServer::cUser& u, std::string attribute) {
    for (char& c : attribute) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool computer = (u.userAccountControl & 4096) != 0;
    if (attribute == "objectclass") {
        std::vector<std::string> classes = {"top", "person", "organizationalPerson", "user"};
        if (computer) classes.push_back("computer");
        return classes;
    }
    if (attribute == "objectcategory") return {computer ? "computer" : "person"};
    if (attribute == "useraccountcontrol") return {std::to_string(u.userAccountControl)};
    if (attribute == "samaccountname") return {u.name};
    if (attribute == "lastlogon" && !u.lastLogon.empty()) return {u.lastLogon};
    return {};
}

// Whether the entry of `u` matches the search filter element `tag` with `content`;
// what a query for accounts does not use matches nothing.
bool Matches(const FakeLdapServer::cUser& u, unsigned tag, const std::string& content) {
    cReader r{content};
    unsigned t;
    std::string part, attribute, value, rule;
    switch (tag) {
        case 0xA0:  // and
            while (r.Next(t, part))
                if (!Matches(u, t, part)) return false;
            return true;
        case 0xA1:  // or
            while (r.Next(t, part))
                if (Matches(u, t, part)) return true;
            return false;
        case 0xA2: return r.Next(t, part) && !Matches(u, t, part);  // not
        case 0x87: return !Values(u, content).empty();              // present
        case 0xA3:                                                  // equality, ignoring case
            r.Next(t, attribute);
            r.Next(t, value);
            for (const std::string& v : Values(u, attribute)) {
                if (strcasecmp(v.c_str(), value.c_str()) == 0) return true;
            }
            return false;
        case 0xA9:  // extensible: the bitwise and (803) and or (804) rules
            while (r.Next(t, part)) (t == 0x81 ? rule : t == 0x82 ? attribute : value) = part;
            for (const std::string& v : Values(u, attribute)) {
                const unsigned long have = std::strtoul(v.c_str(), nullptr, 10);
                const unsigned long bits = std::strtoul(value.c_str(), nullptr, 10);
                if (rule == "1.2.840.113556.1.4.803" && (have & bits) == bits) return true;
                if (rule == "1.2.840.113556.1.4.804" && (have & bits) != 0) return true;
            }
            return false;
        default: return false;
    }
}

// The size and cookie of the request's paged-results control; false when it has none.
bool PagedRequest(const std::string& controls, std::size_t& size, std::string& cookie) {
    cReader list{controls};
    unsigned t;
    std::string control, oid, part, value;
    while (list.Next(t, control)) {
        cReader c{control};
        if (!c.Next(t, oid) || oid != "1.2.840.113556.1.4.319") continue;
        while (c.Next(t, part)) {
            if (t != 0x04) continue;  // the criticality
            cReader v{part};
            if (!v.Next(t, value)) return false;
            cReader fields{value};
            std::string n;
            fields.Next(t, n);
            size = 0;
            for (char ch : n) size = (size << 8) | static_cast<unsigned char>(ch);
            fields.Next(t, cookie);
            return true;
        }
    }
    return false;
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
    bool Read(void* data, std::size_t size) {
        auto* p = static_cast<char*>(data);
        while (size > 0) {
            const ssize_t n = m_Tls != nullptr ? gnutls_record_recv(m_Tls, p, size) : ::read(m_Fd, p, size);
            if (n <= 0) return false;
            p += n;
            size -= static_cast<std::size_t>(n);
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
    // One whole LDAP message: its content after the outer tag and length.
    bool ReadMessage(std::string& content) {
        unsigned char head[2];
        if (!Read(head, 2)) return false;
        std::size_t n = head[1];
        if (n & 0x80) {
            unsigned char bytes[8];
            const std::size_t count = n & 0x7F;
            if (count > sizeof bytes || !Read(bytes, count)) return false;
            n = 0;
            for (std::size_t i = 0; i < count; ++i) n = (n << 8) | bytes[i];
        }
        if (n > (1u << 24)) return false;
        content.resize(n);
        return n == 0 || Read(content.data(), n);
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
    if (::pipe(m_StopPipe) != 0) m_StopPipe[0] = m_StopPipe[1] = -1;
    m_Server = std::thread([this] { Serve(); });
}

FakeLdapServer::~FakeLdapServer() {
    if (::write(m_StopPipe[1], "x", 1) < 0) {}
    m_Server.join();
    {
        std::lock_guard<std::mutex> lock(m_Mutex);
        for (int fd : m_Open) ::shutdown(fd, SHUT_RDWR);
    }
    for (auto& t : m_Talks) t.join();
    ::close(m_Listener);
    ::close(m_StopPipe[0]);
    ::close(m_StopPipe[1]);
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
    for (;;) {
        pollfd waits[2] = {{m_Listener, POLLIN, 0}, {m_StopPipe[0], POLLIN, 0}};
        if (::poll(waits, 2, -1) < 0) continue;
        if (waits[1].revents != 0) return;
        const int fd = ::accept4(m_Listener, nullptr, nullptr, SOCK_CLOEXEC);
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
    std::vector<const cUser*> matched;  // of the search in progress
    bool ok = !m_Options.ldaps || stream.StartTls();
    std::string message;
    bool counted = false;
    while (ok && stream.ReadMessage(message)) {
        if (!std::exchange(counted, true)) ++m_Connections;  // a connection that only tests the port does not count
        if (mode == eMode::kSilent) continue;
        cReader reader{message};
        unsigned tag;
        std::string id, op;
        if (!reader.Next(tag, id) || !reader.Next(tag, op)) break;
        unsigned controlsTag = 0;
        std::string controls;
        reader.Next(controlsTag, controls);
        int mid = 0;
        for (char c : id) mid = (mid << 8) | static_cast<unsigned char>(c);
        cReader fields{op};
        std::string field;
        if (tag == 0x77) {  // an extended request: StartTLS
            const std::string reply = Message(mid, Result(0x78));
            if (mode == eMode::kHalfStartTls || mode == eMode::kStallHandshake) {
                stream.Write(mode == eMode::kHalfStartTls ? reply.substr(0, reply.size() / 2) : reply);
                stream.Stall();
                break;
            }
            std::this_thread::sleep_for(m_Options.startTlsDelay);
            ok = stream.Write(reply) && stream.StartTls();
        } else if (tag == 0x60) {  // a bind: version, name, [0] the password
            unsigned t;
            fields.Next(t, field);
            fields.Next(t, field);
            if (fields.Next(t, field) && t == 0x80) {
                std::lock_guard<std::mutex> lock(m_Mutex);
                m_Passwords.push_back(field);
            }
            if (mode == eMode::kStallBind) {
                stream.Stall();
                break;
            }
            ok = stream.Write(Message(mid, Result(0x61)));
        } else if (tag == 0x63) {  // a search: the base tells which
            unsigned t;
            fields.Next(t, field);
            std::string reply;
            if (field.empty()) {
                reply = Message(mid, Entry("", {{"defaultNamingContext", base},
                                                {"configurationNamingContext", "CN=Configuration," + base}}));
                reply += Message(mid, Result(0x65));
            } else if (field.rfind("CN=Partitions,", 0) == 0) {
                reply = Message(mid, Entry("CN=FAKE," + field, {{"nETBIOSName", "FAKE"}}));
                reply += Message(mid, Result(0x65));
                if (mode == eMode::kCloseAfterDomain || mode == eMode::kResetAfterDomain) {
                    stream.Write(reply);
                    if (mode == eMode::kResetAfterDomain) {
                        const linger now{1, 0};
                        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &now, sizeof now);
                    }
                    break;
                }
            } else {
                ++m_UserSearches;
                ++pages;
                // Scope, aliases, size and time limits, types only; then the filter.
                for (int i = 0; i < 5; ++i) fields.Next(t, field);
                unsigned filterTag = 0;
                std::string filter;
                fields.Next(filterTag, filter);
                std::size_t pageSize = 0;
                std::string asked;
                PagedRequest(controls, pageSize, asked);
                if (asked.empty() || matched.empty()) {  // a new search
                    matched.clear();
                    for (const cUser& u : m_Options.users) {
                        if (Matches(u, filterTag, filter)) matched.push_back(&u);
                    }
                }
                std::vector<const cUser*> users = matched;
                std::string cookie;
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
                    const std::size_t from = std::min<std::size_t>(asked.empty() ? 0 : std::stoul(asked), users.size());
                    const std::size_t to = pageSize == 0 ? users.size() : std::min(from + pageSize, users.size());
                    users = std::vector<const cUser*>(matched.begin() + from, matched.begin() + to);
                    if (to < matched.size()) cookie = std::to_string(to);
                }
                if (m_Options.searchError != 0) {
                    reply += Message(mid, Result(0x65, m_Options.searchError, m_Options.searchDiagnostic));
                    stream.Write(reply);
                    continue;
                }
                for (const cUser* u : users) {
                    std::vector<std::pair<std::string, std::string>> attributes = {{"sAMAccountName", u->name}};
                    if (!u->lastLogon.empty()) attributes.emplace_back("lastLogon", u->lastLogon);
                    reply += Message(mid, Entry("CN=" + u->name + "," + base, attributes));
                }
                std::this_thread::sleep_for(m_Options.pageDelay);
                reply += Message(mid, Result(0x65), PagedControl(cookie));
                if (mode == eMode::kStallSearch || mode == eMode::kHalfSearch) {
                    if (mode == eMode::kHalfSearch) stream.Write(reply.substr(0, reply.size() / 2));
                    stream.Stall();
                    break;
                }
            }
            ok = stream.Write(reply);
        } else if (tag == 0x42) {  // unbind
            break;
        }
    }
    std::lock_guard<std::mutex> lock(m_Mutex);
    std::erase(m_Open, fd);
    ::close(fd);
}

}  // namespace orvik::test
