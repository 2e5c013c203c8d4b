#pragma once
// Name lookups that end within one network timeout, whatever the name
// servers do. The system's resolver waits its own time on each name server
// in turn, and again for each retry; these lookups have one deadline for
// all of it.

#include <netdb.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/SrvAnswer.h"

namespace orvik {

struct cNameServer {
    sockaddr_storage address{};
    socklen_t length = 0;
};

// The name servers of /etc/resolv.conf, as the system's resolver reads it.
std::vector<cNameServer> SystemNameServers();

// The answer of the first of `servers` to answer the query for `name`
// (type `type`, class IN) with a result (records, none or "no such name"),
// or nothing when none did within `timeout`. The servers are asked in turn,
// each an equal share of the time after the one before (at once when that
// one refuses or fails), and every one asked is listened to until the
// deadline. An answer too long for a datagram is asked for again over TCP
// from the same server, within the same deadline.
std::optional<std::vector<unsigned char>> QueryDns(const std::string& name, std::uint16_t type,
                                                   std::chrono::milliseconds timeout,
                                                   const std::vector<cNameServer>& servers);

// The targets of the SRV records of `name`, or nothing when no name server
// answered within `timeout`.
std::optional<cSrvTargets> LookUpSrv(const std::string& name, std::chrono::milliseconds timeout,
                                     const std::vector<cNameServer>& servers = SystemNameServers());

struct cFreeAddresses {
    void operator()(addrinfo* a) const { freeaddrinfo(a); }
};
using tAddresses = std::unique_ptr<addrinfo, cFreeAddresses>;

// The TCP addresses of `host` at `port` from the system's resolver (hosts
// file, DNS, whatever the system is set up to ask), or none when the name is
// unknown or no answer came within `timeout`. A lookup still under way then
// is left to end by itself; what it finds is dropped.
tAddresses LookUpHost(const std::string& host, const std::string& port, std::chrono::milliseconds timeout);

// The primary domain of this computer, for a controller search without a
// domain: the first name of the resolver's search list, which on a computer
// joined to an Active Directory domain is that domain's DNS name. `resolvConf`
// is the text of /etc/resolv.conf; as for the resolver, the last "domain" or
// "search" line counts. Empty when there is none.
std::string PrimaryDomainFromResolvConf(const std::string& resolvConf);

}  // namespace orvik
