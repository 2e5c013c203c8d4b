#pragma once
// The answer to a DNS query for SRV records (RFC 2782), read as it came off
// the wire: the host names its records point at. Nothing here trusts the
// message: every length and every compression pointer is checked against
// the bytes that are really there.

#include <cstddef>
#include <string>
#include <vector>

namespace orvik {

struct cSrvTargets {
    std::vector<std::string> hosts;  // in the answer's order, without the final dot
    int oddNames = 0;                // targets skipped because no host can be called so
    bool noSuchName = false;         // the server said the name asked for does not exist
};

// The targets of the SRV records in the answer section of `message`.
// Skipped: records of another type or class; records whose data is shorter
// than the priority, weight and port and a name that stays inside it; the
// target "." (no such service there); and targets that are no host name (a
// label with anything but letters, digits, '-' and '_'), which are counted.
// A message that ends or breaks off before its answer section does gives the
// targets read up to there.
cSrvTargets ParseSrvAnswer(const unsigned char* message, std::size_t size);

}  // namespace orvik
