#include "platform/LdapSocket.h"

#include <fcntl.h>
#include <ldap.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/DnsLookup.h"
#include "platform/NetApiCodes.h"
#include "platform/NetErrorText.h"

namespace orvik {

// Our own name lookup and TCP connect, which tell apart what libldap reports
// alike: no such name, refused or unreachable, and no answer in time. Each
// waits at most the network timeout. The socket connected is libldap's, so
// that it neither looks the name up again nor connects again.
std::int32_t Preflight(const std::string& uri, int timeoutSeconds, int& connected) {
    connected = -1;
    LDAPURLDesc* url = nullptr;
    if (ldap_url_parse(uri.c_str(), &url) != LDAP_URL_SUCCESS) return kErrorBadNetPath;
    const std::string host = url->lud_host != nullptr ? url->lud_host : "";
    const bool ldaps = std::strcmp(url->lud_scheme, "ldaps") == 0;
    const std::string port = std::to_string(url->lud_port != 0 ? url->lud_port : (ldaps ? 636 : 389));
    ldap_free_urldesc(url);
    if (host.empty()) return kErrorBadNetPath;
    const tAddresses addresses = LookUpHost(host, port, std::chrono::seconds(std::max(1, timeoutSeconds)));
    if (addresses == nullptr) return kErrorBadNetPath;
    std::int32_t result = kErrorRpcServerUnavailable;
    // One network timeout for all the addresses a name has, not one each.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(std::max(1, timeoutSeconds));
    for (addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next) {
        const int fd = socket(a->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) continue;
        int error = connect(fd, a->ai_addr, a->ai_addrlen) == 0 ? 0 : errno;
        if (error == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            socklen_t length = sizeof error;
            int ready;
            do {
                const auto left =
                    std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
                ready = poll(&p, 1, static_cast<int>(std::max<std::int64_t>(0, left.count())));
            } while (ready < 0 && errno == EINTR);
            if (ready == 1)
                getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
            else
                error = ETIMEDOUT;
        }
        if (error == 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
            // Every LDAP message is written whole and then answered: held back
            // for the acknowledgement of the one before (the end of the TLS
            // handshake before the bind), it would wait out the server's delayed
            // acknowledgement, 40 to 200 ms, on every connection.
            const int on = 1;
            setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
            connected = fd;
            result = kNerrSuccess;
            break;
        }
        close(fd);
        result = error == ETIMEDOUT ? kErrorTimeout : kErrorRpcServerUnavailable;
    }
    return result;
}

namespace {

// Every write libldap and its TLS layer make on a connection of ours passes
// through this layer of the socket's buffer, just above the plain socket, and
// is sent without SIGPIPE: a controller that closed or reset the connection,
// or a socket the watchdog shut down, gives the call an error, never the
// process its end. Reads and controls pass through.
ber_slen_t SendWithoutSignal(Sockbuf_IO_Desc* sbiod, void* buffer, ber_len_t length) {
    int fd = -1;
    ber_sockbuf_ctrl(sbiod->sbiod_sb, LBER_SB_OPT_GET_FD, &fd);
    return ::send(fd, buffer, length, MSG_NOSIGNAL);
}
ber_slen_t ReadBelow(Sockbuf_IO_Desc* sbiod, void* buffer, ber_len_t length) {
    return LBER_SBIOD_READ_NEXT(sbiod, buffer, length);
}
int ControlBelow(Sockbuf_IO_Desc* sbiod, int option, void* argument) {
    return LBER_SBIOD_CTRL_NEXT(sbiod, option, argument);
}
Sockbuf_IO g_NoSignalLayer = {nullptr, nullptr, ControlBelow, ReadBelow, SendWithoutSignal, nullptr};

}  // namespace

void AddNoSignalLayer(Sockbuf* sb) {
    // libldap puts the plain socket below it (level 10) and TLS above (20).
    if (ber_sockbuf_ctrl(sb, LBER_SB_OPT_HAS_IO, &g_NoSignalLayer) != 1) {
        ber_sockbuf_add_io(sb, &g_NoSignalLayer, LBER_SBIOD_LEVEL_PROVIDER + 1, nullptr);
    }
}

}  // namespace orvik
