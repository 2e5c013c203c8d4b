#pragma once
// Why a file step failed: the file it concerns and the operating system's
// reason, so that a message can say "No space left on device" and name the
// file. Results carry it as tResult (base/Result.h).

#include <cerrno>
#include <string>
#include <system_error>

namespace orvik {

struct cFileError {
    std::string path;
    std::error_code reason;

    explicit operator bool() const noexcept { return static_cast<bool>(reason); }
    // "<path>: <reason>", or the reason alone without a path.
    std::u16string Describe() const;
};

// The reason of the system call that failed last on this thread.
inline std::error_code LastSystemError() { return std::error_code(errno, std::system_category()); }

}  // namespace orvik
