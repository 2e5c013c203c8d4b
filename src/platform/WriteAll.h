#pragma once
// Writes a whole buffer to a file descriptor, going on after short writes
// and interrupted calls.

#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace orvik {

inline bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace orvik
