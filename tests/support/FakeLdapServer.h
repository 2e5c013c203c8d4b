#pragma once
// A domain controller that misbehaves on purpose, on a loopback port: one
// that stops answering at some step or half-way through a message, or hangs
// up after the domain query; and a tiny directory (StartTLS or LDAPS with the
// test certificate, simple bind, root DSE, crossRef, a paged search that
// gives every user, whatever the filter: which accounts the filter selects is
// for the runs against a real domain) whose paging cookie may never end and
// whose lastLogon values may be odd; its pages and its StartTLS answer may
// come late, as a distant site's do.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvik::test {

class FakeLdapServer {
public:
    enum class eMode {
        kSilent,            // accepts, reads, never answers
        kHalfStartTls,      // answers StartTLS with half a message, then nothing
        kStallHandshake,    // answers StartTLS, then never takes part in the TLS handshake
        kStallBind,         // never answers the bind
        kStallSearch,       // never answers the user search
        kHalfSearch,        // half of the user search's answer, then nothing
        kCloseAfterDomain,  // closes every connection once it has answered the domain query
        kDirectory,         // a small working directory
    };
    enum class eCookie {
        kEnds,        // every user in one page, no cookie
        kRepeats,     // the same cookie and the same one user on every page, for ever
        kOneCookie,   // one user a page, every page with the same cookie (as Samba does), then the end
        kNewEmpty,    // a new cookie on every page, no users
        kClientSize,  // pages of the size the client asks for, the cookie telling where the next begins
    };
    struct cUser {
        std::string name;
        std::string lastLogon;  // the attribute's text as the server sends it
    };
    struct cOptions {
        eMode mode = eMode::kDirectory;
        bool ldaps = false;  // TLS from the first byte instead of StartTLS
        eCookie cookie = eCookie::kEnds;
        std::vector<cUser> users;
        int searchError = 0;  // not 0: the user search fails with this LDAP result and diagnostic
        std::string searchDiagnostic;
        std::chrono::microseconds pageDelay{0};      // before each page of the user search goes out
        std::chrono::microseconds startTlsDelay{0};  // before the StartTLS answer goes out (a far site)
    };

    explicit FakeLdapServer(cOptions options);
    ~FakeLdapServer();

    // "127.0.0.1:<port>", or "ldaps://127.0.0.1:<port>" for an LDAPS server.
    std::string Address() const;
    // Connections that sent an LDAP message (not those that only tried the port).
    int Connections() const { return m_Connections.load(); }
    int UserSearches() const { return m_UserSearches.load(); }
    // The passwords of the simple binds that reached the server.
    std::vector<std::string> Passwords() const;

    // The test certificate (its own authority) for the client's CA file.
    static std::string CertificateFile();

private:
    void Serve();
    void Talk(int fd);

    cOptions m_Options;
    int m_Listener = -1, m_Port = 0;
    std::atomic<int> m_Connections{0}, m_UserSearches{0};
    mutable std::mutex m_Mutex;
    std::vector<std::string> m_Passwords;
    std::vector<int> m_Open;
    std::vector<std::thread> m_Talks;
    std::thread m_Server;
};

}  // namespace orvik::test
