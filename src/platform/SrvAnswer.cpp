#include "platform/SrvAnswer.h"

#include <cstdint>

namespace orvik {

namespace {

constexpr std::uint16_t kTypeSrv = 33;
constexpr std::uint16_t kClassIn = 1;
constexpr std::size_t kHeaderSize = 12;
constexpr int kNoSuchName = 3;               // the response code NXDOMAIN
constexpr std::size_t kMaxNameOctets = 255;  // RFC 1035, 3.1

std::uint16_t Read16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

bool IsHostNameCharacter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

struct cName {
    bool valid = false;    // false: the name breaks off, loops or is too long
    bool hostName = true;  // every label spells a host name's label
    std::string text;      // labels joined by dots; empty for the root
    std::size_t end = 0;   // where the name ends at its own place in the message
};

// The name at `at`, following compression pointers (each strictly backwards,
// so they cannot loop, and no more than a name has labels, so that a chain
// of them costs little) anywhere inside the first `size` bytes.
cName ReadName(const unsigned char* message, std::size_t size, std::size_t at) {
    cName name;
    std::size_t octets = 0;
    std::size_t jumps = 0;
    bool jumped = false;
    while (at < size) {
        const unsigned char length = message[at];
        if ((length & 0xC0) == 0xC0) {
            if (at + 1 >= size || ++jumps > kMaxNameOctets / 2) return name;
            const std::size_t target = static_cast<std::size_t>(Read16(message + at) & 0x3FFF);
            if (!jumped) name.end = at + 2;
            if (target >= at) return name;
            jumped = true;
            at = target;
            continue;
        }
        if ((length & 0xC0) != 0) return name;  // the extended label types are obsolete
        octets += length + 1u;
        if (octets > kMaxNameOctets) return name;
        if (length == 0) {
            if (!jumped) name.end = at + 1;
            name.valid = true;
            return name;
        }
        if (at + 1 + length > size) return name;
        if (!name.text.empty()) name.text += '.';
        for (std::size_t i = at + 1; i <= at + length; ++i) {
            name.hostName = name.hostName && IsHostNameCharacter(message[i]);
            name.text += static_cast<char>(message[i]);
        }
        at += 1 + length;
    }
    return name;
}

}  // namespace

cSrvTargets ParseSrvAnswer(const unsigned char* message, std::size_t size) {
    cSrvTargets targets;
    if (message == nullptr || size < kHeaderSize) return targets;
    targets.noSuchName = (message[3] & 0x0F) == kNoSuchName;
    const unsigned questions = Read16(message + 4);
    const unsigned answers = Read16(message + 6);
    std::size_t at = kHeaderSize;
    for (unsigned i = 0; i < questions; ++i) {
        const cName name = ReadName(message, size, at);
        if (!name.valid || name.end + 4 > size) return targets;
        at = name.end + 4;  // type and class
    }
    for (unsigned i = 0; i < answers; ++i) {
        const cName owner = ReadName(message, size, at);
        if (!owner.valid || owner.end + 10 > size) return targets;
        const unsigned char* fixed = message + owner.end;  // type, class, TTL, data length
        const std::size_t data = owner.end + 10;
        const std::size_t dataEnd = data + Read16(fixed + 8);
        if (dataEnd > size) return targets;
        at = dataEnd;
        if (Read16(fixed) != kTypeSrv || Read16(fixed + 2) != kClassIn || dataEnd < data + 7) continue;
        // The target follows priority, weight and port; what it holds in place ends with the data.
        const cName target = ReadName(message, dataEnd, data + 6);
        if (!target.valid || target.text.empty()) continue;
        if (!target.hostName) {
            ++targets.oddNames;
            continue;
        }
        targets.hosts.push_back(target.text);
    }
    return targets;
}

}  // namespace orvik
