// Any bytes given to the SRV answer parser as a DNS message: it reads inside
// them only, and every name it gives back is a host name.

#include <cstdint>
#include <string>

#include "platform/SrvAnswer.h"

using namespace orvik;

namespace {

bool IsHostName(const std::string& name) {
    if (name.empty() || name.size() > 253 || name.front() == '.' || name.back() == '.') return false;
    if (name.find("..") != std::string::npos) return false;
    for (unsigned char c : name) {
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit && c != '-' && c != '_' && c != '.') return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const cSrvTargets targets = ParseSrvAnswer(data, size);
    for (const std::string& host : targets.hosts) {
        if (!IsHostName(host)) __builtin_trap();
    }
    // A record takes at least 18 bytes: a pointer, its fixed fields, SRV's own and a root name.
    if ((targets.hosts.size() + static_cast<std::size_t>(targets.oddNames)) * 18 > size) __builtin_trap();
    return 0;
}
