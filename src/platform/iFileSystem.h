#pragma once
// The few file operations the export and the summary need, so tests can put
// a failing disk under them.

#include <cstdint>
#include <memory>
#include <string>
#include <system_error>

#include "base/iWriteSink.h"

namespace orvik {

// A file open for writing. Close reports whether everything reached the file.
class iOutputFile : public iWriteSink {
public:
    virtual bool Close() = 0;
    // Why the last write or close that failed did so.
    virtual std::error_code LastError() const = 0;
    // The file's size now, with whatever part of a failed write reached it.
    virtual std::uint64_t Size() = 0;
    // Shortens the file to `size` bytes, so that a failed write leaves no torn text.
    virtual bool CutTo(std::uint64_t size) = 0;
};

class iFileSystem {
public:
    virtual ~iFileSystem() = default;
    // True when a file, folder or link of that name exists.
    virtual bool Exists(const std::string& path) = 0;
    // Creates the file, or empties it if it is there; nullptr on failure, with
    // the reason in `why`. Only a regular file is ever written: a link, a pipe
    // or a device in the file's place makes both fail, and nothing is
    // followed or blocks.
    virtual std::unique_ptr<iOutputFile> Create(const std::string& path, std::error_code& why) = 0;
    // Opens the file for writing at its end, creating it if needed; nullptr on failure.
    virtual std::unique_ptr<iOutputFile> Append(const std::string& path, std::error_code& why) = 0;
};

class cPosixFileSystem final : public iFileSystem {
public:
    bool Exists(const std::string& path) override;
    std::unique_ptr<iOutputFile> Create(const std::string& path, std::error_code& why) override;
    std::unique_ptr<iOutputFile> Append(const std::string& path, std::error_code& why) override;
};

}  // namespace orvik
