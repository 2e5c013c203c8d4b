#include "platform/DnsLookup.h"

#include <arpa/nameser.h>
#include <netinet/in.h>
#include <poll.h>
#include <resolv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

namespace orvik {

namespace {

using tClock = std::chrono::steady_clock;

constexpr std::size_t kHeaderSize = 12;
constexpr std::uint16_t kTypeSrv = 33;
constexpr int kNoError = 0;
constexpr int kNoSuchName = 3;

std::uint16_t Read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

class cSocket {
public:
    cSocket() = default;
    explicit cSocket(int fd) : m_Fd(fd) {}
    ~cSocket() {
        if (m_Fd >= 0) close(m_Fd);
    }
    cSocket(cSocket&& other) noexcept : m_Fd(std::exchange(other.m_Fd, -1)) {}
    cSocket& operator=(cSocket&& other) noexcept {
        std::swap(m_Fd, other.m_Fd);
        return *this;
    }
    int Fd() const { return m_Fd; }

private:
    int m_Fd = -1;
};

int MillisecondsUntil(tClock::time_point when) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - tClock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, 24 * 3600 * 1000));
}

bool WaitFor(int fd, short events, tClock::time_point deadline) {
    pollfd p{fd, events, 0};
    int ready;
    do {
        ready = poll(&p, 1, MillisecondsUntil(deadline));
    } while (ready < 0 && errno == EINTR);
    return ready == 1;
}

// The query for `name`, recursion desired; empty when `name` cannot be
// asked for (an empty label, a label over 63 octets, over 255 in all).
std::vector<unsigned char> MakeQuery(std::string name, std::uint16_t type, std::uint16_t id) {
    if (!name.empty() && name.back() == '.') name.pop_back();
    std::vector<unsigned char> q = {
        static_cast<unsigned char>(id >> 8), static_cast<unsigned char>(id), 0x01, 0, 0, 1, 0, 0, 0, 0, 0, 0};
    std::size_t at = 0;
    while (true) {
        const std::size_t dot = std::min(name.find('.', at), name.size());
        if (dot == at || dot - at > 63) return {};
        q.push_back(static_cast<unsigned char>(dot - at));
        q.insert(q.end(), name.begin() + static_cast<std::ptrdiff_t>(at),
                 name.begin() + static_cast<std::ptrdiff_t>(dot));
        if (dot == name.size()) break;
        at = dot + 1;
    }
    q.push_back(0);
    if (q.size() - kHeaderSize > 255) return {};
    q.insert(q.end(), {static_cast<unsigned char>(type >> 8), static_cast<unsigned char>(type), 0, 1});
    return q;
}

unsigned char Lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// True when `reply` is the response to `query`: its ID and its question
// (names compared ignoring case, as servers may change it).
bool IsReplyTo(const std::vector<unsigned char>& query, const unsigned char* reply, std::size_t size) {
    if (size < query.size() || reply[0] != query[0] || reply[1] != query[1] || (reply[2] & 0x80) == 0 ||
        Read16(reply + 4) != 1) {
        return false;
    }
    for (std::size_t i = kHeaderSize; i < query.size(); ++i) {
        if (Lower(reply[i]) != Lower(query[i])) return false;
    }
    return true;
}

bool IsTruncated(const unsigned char* reply) { return (reply[2] & 0x02) != 0; }
// An answer that settles the question; any other code sends us to the next server.
bool IsResult(const unsigned char* reply) {
    const int code = reply[3] & 0x0F;
    return code == kNoError || code == kNoSuchName;
}

// The same question over TCP, for an answer too long for a datagram.
std::optional<std::vector<unsigned char>> AskOverTcp(const cNameServer& server, const std::vector<unsigned char>& query,
                                                     tClock::time_point deadline) {
    cSocket s(socket(server.address.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (s.Fd() < 0) return std::nullopt;
    if (connect(s.Fd(), reinterpret_cast<const sockaddr*>(&server.address), server.length) != 0) {
        if (errno != EINPROGRESS || !WaitFor(s.Fd(), POLLOUT, deadline)) return std::nullopt;
        int error = 0;
        socklen_t length = sizeof error;
        if (getsockopt(s.Fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) return std::nullopt;
    }
    std::vector<unsigned char> out = {static_cast<unsigned char>(query.size() >> 8),
                                      static_cast<unsigned char>(query.size())};
    out.insert(out.end(), query.begin(), query.end());
    for (std::size_t sent = 0; sent < out.size();) {
        const ssize_t n = send(s.Fd(), out.data() + sent, out.size() - sent, MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return std::nullopt;
        } else if (!WaitFor(s.Fd(), POLLOUT, deadline)) {
            return std::nullopt;
        }
    }
    std::vector<unsigned char> in(2);
    for (std::size_t got = 0; got < in.size();) {
        const ssize_t n = recv(s.Fd(), in.data() + got, in.size() - got, 0);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            if (got == 2 && in.size() == 2) in.resize(2 + Read16(in.data()));
        } else if (n == 0 || (errno != EAGAIN && errno != EINTR) || !WaitFor(s.Fd(), POLLIN, deadline)) {
            return std::nullopt;
        }
    }
    in.erase(in.begin(), in.begin() + 2);
    if (!IsReplyTo(query, in.data(), in.size()) || !IsResult(in.data())) return std::nullopt;
    return in;
}

// One name server asked over UDP, on a socket connected to it (so that only
// its datagrams arrive, and a port nobody listens on is told at once).
struct cAsked {
    cSocket socket;
    bool over = false;  // failed or refused: no answer to wait for
};

cAsked Ask(const cNameServer& server, const std::vector<unsigned char>& query) {
    cAsked asked{cSocket(socket(server.address.ss_family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0))};
    asked.over =
        asked.socket.Fd() < 0 ||
        connect(asked.socket.Fd(), reinterpret_cast<const sockaddr*>(&server.address), server.length) != 0 ||
        send(asked.socket.Fd(), query.data(), query.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(query.size());
    return asked;
}

}  // namespace

std::vector<cNameServer> SystemNameServers() {
    struct __res_state state;
    std::memset(&state, 0, sizeof state);
    if (res_ninit(&state) != 0) return {};
    std::vector<cNameServer> servers;
    for (int i = 0; i < state.nscount && i < MAXNS; ++i) {
        // The resolver keeps IPv4 servers in one list and IPv6 ones in another, at the same places.
        cNameServer server;
        if (state.nsaddr_list[i].sin_family == AF_INET) {
            std::memcpy(&server.address, &state.nsaddr_list[i], sizeof(sockaddr_in));
            server.length = sizeof(sockaddr_in);
        } else if (state._u._ext.nsaddrs[i] != nullptr) {
            std::memcpy(&server.address, state._u._ext.nsaddrs[i], sizeof(sockaddr_in6));
            server.length = sizeof(sockaddr_in6);
        } else {
            continue;
        }
        servers.push_back(server);
    }
    res_nclose(&state);
    return servers;
}

std::optional<std::vector<unsigned char>> QueryDns(const std::string& name, std::uint16_t type,
                                                   std::chrono::milliseconds timeout,
                                                   const std::vector<cNameServer>& servers) {
    std::random_device random;
    const std::vector<unsigned char> query = MakeQuery(name, type, static_cast<std::uint16_t>(random()));
    if (query.empty() || servers.empty()) return std::nullopt;
    const tClock::time_point deadline = tClock::now() + timeout;
    const auto share = timeout / static_cast<int>(servers.size());
    std::vector<cAsked> asked;
    tClock::time_point nextAsk = tClock::now();
    std::vector<unsigned char> reply(65536);
    while (tClock::now() < deadline) {
        if (asked.size() < servers.size() && tClock::now() >= nextAsk) {
            asked.push_back(Ask(servers[asked.size()], query));
            nextAsk = asked.back().over ? tClock::now() : tClock::now() + share;
            continue;
        }
        std::vector<pollfd> waiting;
        std::vector<std::size_t> which;
        for (std::size_t i = 0; i < asked.size(); ++i) {
            if (asked[i].over) continue;
            waiting.push_back({asked[i].socket.Fd(), POLLIN, 0});
            which.push_back(i);
        }
        const bool moreToAsk = asked.size() < servers.size();
        if (waiting.empty() && !moreToAsk) return std::nullopt;  // every server failed
        const int ready = poll(waiting.data(), waiting.size(), MillisecondsUntil(moreToAsk ? nextAsk : deadline));
        if (ready < 0 && errno != EINTR) return std::nullopt;
        for (std::size_t k = 0; ready > 0 && k < waiting.size(); ++k) {
            if (waiting[k].revents == 0) continue;
            cAsked& a = asked[which[k]];
            const ssize_t n = recv(a.socket.Fd(), reply.data(), reply.size(), 0);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (n >= 0) {
                const auto size = static_cast<std::size_t>(n);
                if (!IsReplyTo(query, reply.data(), size)) continue;  // not ours: keep listening
                if (IsTruncated(reply.data())) {
                    if (auto whole = AskOverTcp(servers[which[k]], query, deadline)) return whole;
                } else if (IsResult(reply.data())) {
                    reply.resize(size);
                    return reply;
                }
            }
            a.over = true;  // refused, failed or unreachable: the next server is asked at once
            nextAsk = tClock::now();
        }
    }
    return std::nullopt;
}

std::optional<cSrvTargets> LookUpSrv(const std::string& name, std::chrono::milliseconds timeout,
                                     const std::vector<cNameServer>& servers) {
    const auto answer = QueryDns(name, kTypeSrv, timeout, servers);
    if (!answer) return std::nullopt;
    return ParseSrvAnswer(answer->data(), answer->size());
}

tAddresses LookUpHost(const std::string& host, const std::string& port, std::chrono::milliseconds timeout) {
    // The resolver has no deadline of its own: it works on a thread of its
    // own, which is waited for until the deadline and then left to end by
    // itself. What it finds is shared, and freed by whichever lets go last.
    struct cLookup {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        addrinfo* found = nullptr;
        ~cLookup() {
            if (found != nullptr) freeaddrinfo(found);
        }
    };
    const auto lookup = std::make_shared<cLookup>();
    try {
        std::thread([lookup, host, port] {
            addrinfo hints{};
            hints.ai_socktype = SOCK_STREAM;
            addrinfo* found = nullptr;
            if (getaddrinfo(host.c_str(), port.empty() ? nullptr : port.c_str(), &hints, &found) != 0) found = nullptr;
            std::lock_guard<std::mutex> lock(lookup->mutex);
            lookup->found = found;
            lookup->finished = true;
            lookup->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return nullptr;  // no thread to be had
    }
    std::unique_lock<std::mutex> lock(lookup->mutex);
    if (!lookup->done.wait_for(lock, timeout, [&] { return lookup->finished; })) return nullptr;
    return tAddresses(std::exchange(lookup->found, nullptr));
}

std::string PrimaryDomainFromResolvConf(const std::string& resolvConf) {
    std::string domain;
    std::size_t at = 0;
    while (at < resolvConf.size()) {
        std::size_t end = resolvConf.find('\n', at);
        if (end == std::string::npos) end = resolvConf.size();
        std::string line = resolvConf.substr(at, end - at);
        at = end + 1;
        const std::size_t comment = line.find_first_of("#;");
        if (comment != std::string::npos) line.resize(comment);
        std::size_t word = line.find_first_not_of(" \t\r");
        if (word == std::string::npos) continue;
        const std::size_t wordEnd = line.find_first_of(" \t\r", word);
        const std::string keyword = line.substr(word, wordEnd - word);
        if (keyword != "domain" && keyword != "search") continue;
        const std::size_t first = wordEnd == std::string::npos ? wordEnd : line.find_first_not_of(" \t\r", wordEnd);
        if (first == std::string::npos) {
            domain.clear();
            continue;
        }
        domain = line.substr(first, line.find_first_of(" \t\r", first) - first);
        if (!domain.empty() && domain.back() == '.') domain.pop_back();
    }
    return domain;
}

}  // namespace orvik
