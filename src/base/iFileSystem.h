#pragma once
// The file operations the program needs, behind one interface that each
// platform implements once, so that tests can put a failing disk under them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "base/Result.h"
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

enum class eReadResult { kRead, kMissing, kUnreadable };

class iFileSystem {
public:
    virtual ~iFileSystem() = default;
    // True when a file, folder or link of that name exists.
    virtual bool Exists(const std::string& path) = 0;
    // True when the path names a regular file (after links).
    virtual bool IsRegularFile(const std::string& path) = 0;
    // Creates the file, or empties it if it is there; nullptr on failure, with
    // the reason in `why`. Only a regular file is ever written: a link, a pipe
    // or a device in the file's place makes both fail, and nothing is
    // followed or blocks.
    virtual std::unique_ptr<iOutputFile> Create(const std::string& path, std::error_code& why) = 0;
    // Opens the file for writing at its end, creating it if needed; nullptr on failure.
    virtual std::unique_ptr<iOutputFile> Append(const std::string& path, std::error_code& why) = 0;

    // The whole file; kMissing when there is no file at the path. Anything but
    // a regular file (a folder, a pipe, a device) is refused without waiting.
    virtual eReadResult ReadWhole(const std::string& path, std::vector<std::uint8_t>& bytes, std::error_code& why) = 0;
    // The file a path names once every link on its last part is followed (the
    // path itself when it is no link, or a link cannot be read).
    virtual std::string ResolveLinks(const std::string& path) = 0;
    // Writes a private temporary file beside `path` through `produce`, makes it
    // durable and puts it in the place of `path` in one step. Any failure
    // removes the temporary file and leaves `path` as it was. With
    // `createFolder`, a missing folder of `path` is made (private to the user).
    // A `path` that is a link is saved where it points and stays a link;
    // temporary files an earlier process of ours left beside it (killed
    // during a save) are removed.
    virtual tResult<> ReplaceAtomically(const std::string& path, const std::function<bool(iWriteSink&)>& produce,
                                        bool createFolder) = 0;
    // Gives a file another name; a missing file is no failure (nothing to move).
    virtual tResult<> MoveAside(const std::string& from, const std::string& to) = 0;
};

}  // namespace orvik
