#include "platform/cPosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "base/cFileError.h"
#include "platform/WriteAll.h"

namespace orvik {

namespace {

class cPosixFile final : public iOutputFile {
public:
    explicit cPosixFile(int fd) : m_Fd(fd) {}
    ~cPosixFile() override { Close(); }
    bool Write(const void* data, std::size_t size) override {
        if (m_Fd >= 0 && WriteAll(m_Fd, data, size)) return true;
        m_Error = m_Fd >= 0 ? LastSystemError() : std::make_error_code(std::errc::bad_file_descriptor);
        return false;
    }
    bool Close() override {
        if (m_Fd < 0) return true;
        const bool ok = ::close(m_Fd) == 0;
        if (!ok) m_Error = LastSystemError();
        m_Fd = -1;
        return ok;
    }
    std::error_code LastError() const override { return m_Error; }
    std::uint64_t Size() override {
        struct stat st {};
        if (m_Fd < 0 || ::fstat(m_Fd, &st) != 0) return 0;
        return static_cast<std::uint64_t>(st.st_size);
    }
    bool CutTo(std::uint64_t size) override { return m_Fd >= 0 && ::ftruncate(m_Fd, static_cast<off_t>(size)) == 0; }

private:
    int m_Fd;
    std::error_code m_Error;
};

std::unique_ptr<iOutputFile> Open(const std::string& path, int flags, std::error_code& why) {
    why.clear();
    if (path.empty()) {
        why = std::make_error_code(std::errc::no_such_file_or_directory);
        return nullptr;
    }
    // A link planted in the file's place is not followed, and a pipe without
    // a reader fails at once instead of blocking.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0) {
        why = LastSystemError();
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = std::make_error_code(std::errc::invalid_argument);  // not a regular file
        ::close(fd);
        return nullptr;
    }
    // Truncate or append only once the file is known to be a regular one.
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, (status & ~O_NONBLOCK) | (flags & O_APPEND)) != 0 ||
        ((flags & O_TRUNC) != 0 && ::ftruncate(fd, 0) != 0)) {
        why = LastSystemError();
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<cPosixFile>(fd);
}

class cFdSink final : public iWriteSink {
public:
    explicit cFdSink(int fd) : m_Fd(fd) {}
    bool Write(const void* data, std::size_t size) override {
        if (WriteAll(m_Fd, data, size)) return true;
        m_Error = LastSystemError();
        return false;
    }
    std::error_code Error() const { return m_Error; }

private:
    int m_Fd;
    std::error_code m_Error;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool MakeFolders(const std::string& folder) {
    if (folder.empty() || folder == "." || folder == "/") return true;
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    if (!MakeFolders(FolderOf(folder))) return false;
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const auto slash = path.find_last_of('/');
    const std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".tmp";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        // <name>.tmp<pid>.XXXXXX: ours, left by a process that no longer runs.
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
        if (pid <= 0 || end == nullptr || *end != '.') continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        const std::string stale = folder + "/" + name;
        struct stat st {};
        if (::lstat(stale.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) {
            ::unlink(stale.c_str());
        }
    }
    ::closedir(dir);
}

}  // namespace

iFileSystem& SystemFileSystem() {
    static cPosixFileSystem files;
    return files;
}

bool OthersCanRead(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & (S_IRWXG | S_IRWXO)) != 0;
}

bool cPosixFileSystem::IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

eReadResult cPosixFileSystem::ReadWhole(const std::string& path, std::vector<std::uint8_t>& bytes,
                                        std::error_code& why) {
    bytes.clear();
    why.clear();
    // Non-blocking, so that a pipe in the file's place is refused instead of waited on.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = LastSystemError();
        return errno == ENOENT ? eReadResult::kMissing : eReadResult::kUnreadable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        // Not a regular file: a folder says so, anything else (a pipe, a device) is refused.
        why = std::make_error_code(S_ISDIR(st.st_mode) ? std::errc::is_a_directory : std::errc::invalid_argument);
        ::close(fd);
        return eReadResult::kUnreadable;
    }
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            why = LastSystemError();
            ::close(fd);
            bytes.clear();
            return eReadResult::kUnreadable;
        }
        if (n == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return eReadResult::kRead;
}

std::string cPosixFileSystem::ResolveLinks(const std::string& path) {
    std::string resolved = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(resolved.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(resolved.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) break;
        target.resize(static_cast<std::size_t>(n));
        resolved = target[0] == '/' ? target : FolderOf(resolved) + "/" + target;
    }
    return resolved;
}

tResult<> cPosixFileSystem::ReplaceAtomically(const std::string& givenPath,
                                              const std::function<bool(iWriteSink&)>& produce, bool createFolder) {
    if (givenPath.empty()) return Failure({givenPath, std::make_error_code(std::errc::no_such_file_or_directory)});
    // A linked file is saved where the link points, and stays linked.
    const std::string path = ResolveLinks(givenPath);
    const std::string folder = FolderOf(path);
    if (createFolder && !MakeFolders(folder)) return Failure({folder, LastSystemError()});
    RemoveStaleTemporaries(path);
    std::string temp = path + ".tmp" + std::to_string(::getpid()) + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());  // created with mode 0600
    if (fd < 0) return Failure({path, LastSystemError()});
    bool ok;
    std::error_code reason;
    {
        cFdSink file(fd);
        ok = produce(file);
        if (!ok) reason = file.Error() ? file.Error() : std::make_error_code(std::errc::io_error);
    }
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        reason = LastSystemError();
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        reason = LastSystemError();
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        reason = LastSystemError();
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return Failure({path, reason});
    }
    // Make the rename itself durable; a failure here loses nothing.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {};
}

tResult<> cPosixFileSystem::MoveAside(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0 && errno != ENOENT) return Failure({from, LastSystemError()});
    return {};
}

bool cPosixFileSystem::Exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::unique_ptr<iOutputFile> cPosixFileSystem::Create(const std::string& path, std::error_code& why) {
    return Open(path, O_TRUNC, why);
}

std::unique_ptr<iOutputFile> cPosixFileSystem::Append(const std::string& path, std::error_code& why) {
    return Open(path, O_APPEND, why);
}

}  // namespace orvik
