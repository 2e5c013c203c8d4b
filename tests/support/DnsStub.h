#pragma once
// A name server on a loopback port, over UDP and TCP, that answers each
// query with what the test makes of it (nothing: it keeps silent), and the
// pieces of the messages it sends, in wire form.

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/DnsLookup.h"

namespace orvik::test {

using tBytes = std::vector<unsigned char>;

inline tBytes operator+(tBytes a, const tBytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline tBytes Be16(unsigned v) { return {static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)}; }

// A name from its labels, which may hold any bytes (dots too); {} is the root.
inline tBytes Name(const std::vector<std::string>& labels) {
    tBytes out;
    for (const std::string& l : labels) {
        out.push_back(static_cast<unsigned char>(l.size()));
        out.insert(out.end(), l.begin(), l.end());
    }
    out.push_back(0);
    return out;
}

// An answer record owned by the question's name (a pointer to offset 12).
inline tBytes Record(unsigned type, const tBytes& data) {
    return tBytes{0xC0, 12} + Be16(type) + Be16(1) + tBytes{0, 0, 0, 60} + Be16(data.size()) + data;
}
inline tBytes Srv(const tBytes& target) { return Record(33, tBytes{0, 0, 0, 100, 1, 133} + target); }

// The reply to `query` (its header and question) with `answers` records and response code `code`.
inline tBytes Reply(const tBytes& query, const std::vector<tBytes>& answers, unsigned code = 0,
                    bool truncated = false) {
    tBytes out = tBytes(query.begin(), query.begin() + 2) + Be16(0x8180 | code | (truncated ? 0x0200 : 0)) + Be16(1) +
                 Be16(answers.size()) + Be16(0) + Be16(0) + tBytes(query.begin() + 12, query.end());
    for (const tBytes& a : answers) out = out + a;
    return out;
}

class DnsStub {
public:
    // The reply to a query, over UDP (`tcp` false) or TCP; empty: silence.
    using tAnswer = std::function<tBytes(const tBytes& query, bool tcp)>;

    explicit DnsStub(tAnswer answer, int port = 0) : m_Answer(std::move(answer)) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        m_Udp = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        socklen_t length = sizeof a;
        if (bind(m_Udp, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
            getsockname(m_Udp, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
            throw std::runtime_error("the DNS stub cannot listen: " + std::string(std::strerror(errno)));
        }
        m_Tcp = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const int on = 1;
        setsockopt(m_Tcp, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        bind(m_Tcp, reinterpret_cast<sockaddr*>(&a), sizeof a);
        listen(m_Tcp, 4);
        std::memcpy(&m_Address.address, &a, sizeof a);
        m_Address.length = sizeof a;
        if (pipe2(m_Stop, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
        m_Thread = std::thread([this] { Serve(); });
    }
    ~DnsStub() {
        close(m_Stop[1]);
        m_Thread.join();
        for (int fd : {m_Udp, m_Tcp, m_Stop[0]}) close(fd);
    }

    cNameServer Address() const { return m_Address; }
    int Queries() const { return m_Queries.load(); }

private:
    void Serve() {
        tBytes buffer(65536);
        while (true) {
            pollfd p[3] = {{m_Stop[0], POLLIN, 0}, {m_Udp, POLLIN, 0}, {m_Tcp, POLLIN, 0}};
            if (poll(p, 3, -1) < 0 || p[0].revents != 0) return;
            if (p[1].revents != 0) {
                sockaddr_storage from{};
                socklen_t length = sizeof from;
                const ssize_t n =
                    recvfrom(m_Udp, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &length);
                if (n <= 0) continue;
                ++m_Queries;
                const tBytes reply = m_Answer(tBytes(buffer.begin(), buffer.begin() + n), false);
                if (!reply.empty()) {
                    sendto(m_Udp, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), length);
                }
            }
            if (p[2].revents != 0) ServeTcp();
        }
    }
    // One query on one connection, each read waiting at most a second.
    void ServeTcp() {
        const int fd = accept4(m_Tcp, nullptr, nullptr, SOCK_CLOEXEC);
        const timeval second{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &second, sizeof second);
        tBytes query(2);
        if (recv(fd, query.data(), 2, MSG_WAITALL) == 2) {
            query.resize(query[0] << 8 | query[1]);
            if (!query.empty() &&
                recv(fd, query.data(), query.size(), MSG_WAITALL) == static_cast<ssize_t>(query.size())) {
                ++m_Queries;
                const tBytes reply = m_Answer(query, true);
                const tBytes framed = Be16(reply.size()) + reply;
                if (!reply.empty()) send(fd, framed.data(), framed.size(), MSG_NOSIGNAL);
            }
        }
        close(fd);
    }

    tAnswer m_Answer;
    int m_Udp = -1, m_Tcp = -1, m_Stop[2] = {-1, -1};
    cNameServer m_Address;
    std::atomic<int> m_Queries{0};
    std::thread m_Thread;
};

}  // namespace orvik::test
