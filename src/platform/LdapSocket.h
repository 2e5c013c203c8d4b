#pragma once
// The socket under a directory connection: our own name lookup and connect,
// and sending on it without the signal a closed connection raises.

#include <lber.h>

#include <cstdint>
#include <string>

namespace orvik {

// Looks up and connects to the host of `uri` ("ldap://host[:port]" or
// "ldaps://..."), each step within the timeout. kNerrSuccess and the
// connected socket in `connected`, or the program's code: 53 no such name,
// 1722 refused or unreachable, 1460 no answer in time.
std::int32_t Preflight(const std::string& uri, int timeoutSeconds, int& connected);

// Makes every write on `sb` go out without SIGPIPE (once per socket buffer).
void AddNoSignalLayer(Sockbuf* sb);

}  // namespace orvik
